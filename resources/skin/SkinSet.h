// Renders every bitmap of the skin by id. The two backgrounds are painted
// once; bitmaps that sit on a screen start from the background under them.
#pragma once

#include <QImage>

namespace kyvo::skin {

class SkinSet {
public:
    SkinSet();

    // The bitmap of a table id, at its exact size; a null image for an
    // unknown id.
    QImage render(int id) const;

    const QImage& mainBackground() const { return main_; }
    const QImage& passwordBackground() const { return password_; }

private:
    QImage canvasFor(int id) const;

    QImage main_;
    QImage password_;
};

} // namespace kyvo::skin
