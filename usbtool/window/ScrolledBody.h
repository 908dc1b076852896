#pragma once
// The scrolled part of a tall page (RecSet, Setting): its content moves
// inside a clipping viewport, driven by a vertical scroll bar and the mouse
// wheel. PageScroll holds the range, the steps and the position; the scroll
// bar only shows them and reports the user's actions.
//
// Turning the wheel over a drop-down list that does not have the focus
// scrolls the page instead of changing the list.

#include "PageScroll.h"

#include <QWidget>

class QScrollBar;

namespace kyvo::usbtool {

class ScrolledBody : public QWidget {
public:
    explicit ScrolledBody(QWidget* parent);

    // Fill it through a layout of its own; its height is its size hint's.
    QWidget* content() const { return content_; }
    QScrollBar* scrollBar() const { return bar_; }
    const PageScroll& scroll() const { return scroll_; }
    // The lists whose wheel turns scroll the page (called once the content is built).
    void watchLists();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fitContent();
    void onAction(int action);
    void showPosition(int position);

    QWidget* viewport_ = nullptr;
    QWidget* content_ = nullptr;
    QScrollBar* bar_ = nullptr;
    PageScroll scroll_;
};

} // namespace kyvo::usbtool
