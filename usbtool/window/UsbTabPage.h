#pragma once
// A page of the USB management tool: its groups of controls above a row
// with its "Save" button.
//
// A page keeps what its controls show in its state (see the page rules).
// updateData(true) reads the controls into the state, updateData(false)
// shows the state. Each page loads its state from the record when it is
// created; "Save" reads the controls, clears the page's range of the record
// and stores the state there. Nothing else writes the record.
//
// GUI thread only.

#include <QWidget>

class QPushButton;
class QVBoxLayout;

namespace kyvo::usbtool {

class ScrolledBody;

class UsbTabPage : public QWidget {
public:
    enum class Body { Fixed, Scrolled };
    enum class SaveButton { With, Without };

    UsbTabPage(QWidget* parent, Body body, SaveButton save);

    virtual void updateData(bool save) = 0;
    // The page's Save: reads the controls and stores them in the record.
    virtual void save() {}

    QPushButton* saveButton() const { return saveButton_; }
    ScrolledBody* scrolledBody() const { return scrolled_; } // null for a fixed page

protected:
    // Where the page's groups go, and their parent.
    QVBoxLayout* groups() const { return groups_; }
    QWidget* groupHolder() const { return holder_; }
    // Ends the page's groups; a scrolled page starts watching its lists.
    void finishGroups();

private:
    QVBoxLayout* groups_ = nullptr;
    QWidget* holder_ = nullptr;
    ScrolledBody* scrolled_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

} // namespace kyvo::usbtool
