#pragma once
// The page of event recordings (tab 1).

#include "FileUpPage.h"

namespace kyvo {

class EventFileUp final : public FileUpPage {
public:
    explicit EventFileUp(QWidget* parent = nullptr);
};

} // namespace kyvo
