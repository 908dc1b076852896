#pragma once
// A bitmap button of the skin: one image when up, another while pressed,
// sized to its image. Clicking emits clicked() as any button does.

#include <QAbstractButton>
#include <QImage>

namespace kyvo {

class SkinButton : public QAbstractButton {
public:
    SkinButton(int controlId, QWidget* parent);

    int controlId() const { return controlId_; }

    // Loads the images by skin id; pressedId 0 uses the normal image for both.
    void loadBitmaps(int normalId, int pressedId = 0);
    void sizeToContent();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int controlId_;
    QImage normal_;
    QImage pressed_;
};

} // namespace kyvo
