#pragma once
// The page of manual event recordings (tab 2).

#include "FileUpPage.h"

namespace kyvo {

class ParkingFileUp final : public FileUpPage {
public:
    explicit ParkingFileUp(QWidget* parent = nullptr);
};

} // namespace kyvo
