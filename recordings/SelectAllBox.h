#pragma once
// The "Select All" check box of a page, painted like the boxes of the list
// rows. The whole box with its caption answers clicks.

#include <QCheckBox>

namespace kyvo::recordings {

class SelectAllBox : public QCheckBox {
public:
    explicit SelectAllBox(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace kyvo::recordings
