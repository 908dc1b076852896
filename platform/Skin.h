#pragma once
// Skin images by numeric id. The images are drawn at build time into the
// folder "skin" beside the executable, one "<id>.png" each.
//
// GUI thread only (images are cached).

#include <QImage>
#include <QString>

namespace kyvo {

// The image of `id`; a null image when it cannot be loaded.
QImage skinImage(int id);

// Where the images are read from; tests and tools may point elsewhere.
QString skinDirectory();
void setSkinDirectory(const QString& folder);

} // namespace kyvo
