#pragma once
// The map window: a child widget of the host's window that shows the back
// buffer of the window's logic (ViewFrame.h) and turns its events into calls
// on that logic: key presses, left-button releases and the position message
// (kyvo::WindowMessage GIS_MSG_POSITION, wParam pointing to the record).
//
// One map window per process. It lives on the host's GUI thread and is owned
// by its parent widget: the host deleting the parent tears the map down; Esc
// tears it down and deletes the window itself (deferred).

#include "ViewFrame.h"
#include "WindowMessage.h"

namespace cartoframe {

class ViewerWindow : public kyvo::MessageWindow {
public:
    // Opens the map window as a child of parent, unless one exists or the
    // request is refused (no parent, the map folder too long). A start-up
    // chain that fails leaves the window black.
    static void open(const TOpenRequest& request, QWidget* parent);
    // The map window while it exists, otherwise null.
    static ViewerWindow* current();

    ~ViewerWindow() override;
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

protected:
    kyvo::LResult windowMessage(unsigned message, kyvo::WParam wParam, kyvo::LParam lParam) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    explicit ViewerWindow(QWidget* parent);
    // Only the window the logic knows acts; one that Esc has closed and that
    // waits for its deletion ignores everything.
    bool isCurrent() const { return vf_Window() == this; }
    // Does what an answer of the logic asks for (TViewAction flags).
    void apply(unsigned action);
};

} // namespace cartoframe
