#pragma once
// A file selector under test: a recording main window as its parent, the
// message boxes and the folder browser replaced, temporary folders of
// generated recordings, and clicks on the real controls.

#include "FilesOpenPopup.h"
#include "QtTempFolder.h"
#include "WindowMessage.h"

#include <QStringList>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
// Readable failure messages for QString values.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kyvo {
class FileUpPage;
}

namespace kyvo::test {

// What reached the outside, in order: "box <text>" for a message box and
// "msg <value> <wParam> <lParam>" for a message to the main window.
using EventLog = QStringList;

// Records every message with the current tab's selected list at that moment.
class RecordingMainWindow : public MessageWindow {
public:
    explicit RecordingMainWindow(EventLog& log) : log_(log) {}

    struct Received {
        unsigned message;
        WParam wParam;
        LParam lParam;
        std::vector<std::u16string> selected;
    };
    std::vector<Received> received;
    FilesOpenPopup* popup = nullptr;

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override;

private:
    EventLog& log_;
};

// A temporary folder (optionally a subfolder of it) holding empty files.
class RecordingFolder {
public:
    explicit RecordingFolder(const QStringList& names);
    QString path() const { return dir_.path(); }
    std::u16string fullPath(const QString& name) const;

private:
    QtTempFolder dir_{"kyvocard"};
};

// `count` normal recordings "drf_20240612_HHMMSS_F.mov", one per second.
QStringList normalNames(int count);

class SelectorHarness {
public:
    SelectorHarness();
    ~SelectorHarness();

    FilesOpenPopup& popup() { return *popup_; }
    RecordingMainWindow& mainWindow() { return *main_; }
    FileUpPage& page(int tab);
    EventLog& log() { return log_; }
    QStringList boxes() const;

    // The main window's way of opening the selector.
    void open();
    // Folder choice with the browser answering `folder` (empty: cancelled).
    void chooseFolder(const QString& folder);
    void clickButton(int controlId);
    void clickTab(int tab);
    void clickCheck(int tab, int row);
    void clickSelectAll(int tab);
    QString counter(int tab);
    QString folderText();

private:
    EventLog log_;
    QString nextFolder_;
    std::unique_ptr<RecordingMainWindow> main_;
    FilesOpenPopup* popup_; // owned by main_
};

} // namespace kyvo::test
