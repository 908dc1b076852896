#pragma once
// The page of normal recordings (tab 0). Closing it empties its list.

#include "FileUpPage.h"

namespace kyvo {

class InfinityFileUp final : public FileUpPage {
public:
    explicit InfinityFileUp(QWidget* parent = nullptr);

protected:
    void onClose() override;
};

} // namespace kyvo
