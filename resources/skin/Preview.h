// The --preview picture of the generator.
#pragma once

#include <QImage>

#include "SkinSet.h"

namespace kyvo::skin {

QImage composePreview(const SkinSet& skin);

} // namespace kyvo::skin
