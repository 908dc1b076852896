#pragma once
// A private X server for journey tests: Xvfb started on a display number it
// picks itself, one connection to it, real input through the XTest extension
// (the server sees the same events a mouse and a keyboard make), and
// screenshots of the root window.
//
// One instance owns the Xvfb process and the connection; both end with it.
// Use it from one thread.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <sys/types.h>

struct _XDisplay;

namespace kyvo::journey {

class VirtualDisplay {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 1024;

    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // False when Xvfb could not be started or reached; error() says why.
    bool ok() const { return display_ != nullptr; }
    const QString& error() const { return error_; }
    // ":N", for DISPLAY.
    QString name() const { return QStringLiteral(":%1").arg(number_); }

    // Pointer and buttons (1 left, 3 right). A press comes at least a double
    // click's time after the last release, so separate gestures are never
    // taken for a double click; doubleClick() makes one.
    void moveTo(QPoint at);
    void press(int button = 1);
    void release(int button = 1);
    void click(QPoint at, int button = 1);
    void doubleClick(QPoint at);
    // Presses at `from`, moves in `steps` even steps to `to` and releases there.
    void drag(QPoint from, QPoint to, int steps = 8);

    // One key press and release by keysym (XK_Left, XK_Return, XK_period...).
    void key(unsigned long keysym);
    // `keysym` with Control held.
    void controlKey(unsigned long keysym);
    // Types printable ASCII text, with Shift where the keyboard needs it.
    void type(const QString& text);

    // The screen, or a part of it, as the server shows it now.
    QImage grab(const QRect& area = QRect(0, 0, kWidth, kHeight));

private:
    void keyCode(unsigned char code, bool shift);
    void flush(int pauseMs);

    qint64 lastReleaseMs_ = 0; // when the last button went up (monotonic clock)
    pid_t server_ = -1;
    int number_ = -1;
    _XDisplay* display_ = nullptr;
    QString error_;
};

} // namespace kyvo::journey
