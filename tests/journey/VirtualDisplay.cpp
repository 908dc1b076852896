#include "VirtualDisplay.h"

#include <QThread>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status...) clash with other headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

extern char** environ;

namespace kyvo::journey {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kServerStart = std::chrono::seconds(20);
// Pauses that let the viewer take each event before the next: a press and a
// release must not merge, a drag must reach the window as moves.
constexpr int kEventPauseMs = 40;
constexpr int kDoubleClickGapMs = 60;
constexpr int kKeyPauseMs = 30;
constexpr qint64 kGestureGapMs = 500; // longer than the double-click interval (400 ms)

qint64 nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

// The display number Xvfb writes to `fd` once it accepts connections.
int readDisplayNumber(int fd, QString& error) {
    std::string text;
    const auto deadline = Clock::now() + kServerStart;
    while (Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        const int left =
            static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (poll(&p, 1, std::max(left, 1)) <= 0)
            break;
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0)
            break;
        if (c == '\n')
            return text.empty() ? -1 : std::stoi(text);
        text.push_back(c);
    }
    error = QStringLiteral("Xvfb did not report a display number");
    return -1;
}

} // namespace

VirtualDisplay::VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) {
        error_ = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string fd = std::to_string(fds[1]);
    const std::string screen = std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                          "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Xvfb's own chatter (font paths, xkb warnings) stays out of the test log.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&server_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        server_ = -1;
        close(fds[0]);
        error_ = QStringLiteral("Xvfb cannot be started: %1").arg(QString::fromLocal8Bit(std::strerror(spawned)));
        return;
    }
    number_ = readDisplayNumber(fds[0], error_);
    close(fds[0]);
    if (number_ < 0)
        return;
    display_ = XOpenDisplay(name().toLatin1().constData());
    if (!display_) {
        error_ = QStringLiteral("cannot connect to Xvfb on %1").arg(name());
        return;
    }
    int event = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &errorBase, &major, &minor)) {
        error_ = QStringLiteral("Xvfb has no XTest extension");
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (display_)
        XCloseDisplay(display_);
    if (server_ > 0) {
        kill(server_, SIGTERM);
        int status = 0;
        waitpid(server_, &status, 0);
    }
}

void VirtualDisplay::flush(int pauseMs) {
    XFlush(display_);
    XSync(display_, False);
    if (pauseMs > 0)
        QThread::msleep(static_cast<unsigned long>(pauseMs));
}

void VirtualDisplay::moveTo(QPoint at) {
    if (!display_)
        return;
    XTestFakeMotionEvent(display_, DefaultScreen(display_), at.x(), at.y(), CurrentTime);
    flush(kEventPauseMs);
}

void VirtualDisplay::press(int button) {
    if (!display_)
        return;
    const qint64 since = nowMs() - lastReleaseMs_;
    if (since < kGestureGapMs)
        QThread::msleep(static_cast<unsigned long>(kGestureGapMs - since));
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
    flush(kEventPauseMs);
}

void VirtualDisplay::release(int button) {
    if (!display_)
        return;
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
    flush(kEventPauseMs);
    lastReleaseMs_ = nowMs();
}

void VirtualDisplay::click(QPoint at, int button) {
    moveTo(at);
    press(button);
    release(button);
}

void VirtualDisplay::doubleClick(QPoint at) {
    if (!display_)
        return;
    moveTo(at);
    const qint64 since = nowMs() - lastReleaseMs_;
    if (since < kGestureGapMs)
        QThread::msleep(static_cast<unsigned long>(kGestureGapMs - since));
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        flush(i == 0 ? kDoubleClickGapMs : kEventPauseMs);
    }
    lastReleaseMs_ = nowMs();
}

void VirtualDisplay::drag(QPoint from, QPoint to, int steps) {
    moveTo(from);
    press(1);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i)
        moveTo(from + (to - from) * i / steps);
    release(1);
}

void VirtualDisplay::keyCode(unsigned char code, bool shift) {
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    if (shift)
        XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    flush(kKeyPauseMs);
}

void VirtualDisplay::key(unsigned long keysym) {
    if (!display_)
        return;
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code != 0)
        keyCode(code, XkbKeycodeToKeysym(display_, code, 0, 0) != keysym);
}

void VirtualDisplay::controlKey(unsigned long keysym) {
    if (!display_)
        return;
    const KeyCode control = XKeysymToKeycode(display_, XK_Control_L);
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, control, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XTestFakeKeyEvent(display_, control, False, CurrentTime);
    flush(kKeyPauseMs);
}

void VirtualDisplay::type(const QString& text) {
    for (const QChar c : text) {
        // Printable ASCII keysyms equal their character codes.
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            key(c.unicode());
    }
}

QImage VirtualDisplay::grab(const QRect& area) {
    if (!display_)
        return {};
    const QRect part = area.intersected(QRect(0, 0, kWidth, kHeight));
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), part.x(), part.y(),
                              static_cast<unsigned>(part.width()), static_cast<unsigned>(part.height()), AllPlanes,
                              ZPixmap);
    if (!image)
        return {};
    QImage result(part.size(), QImage::Format_RGB32);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
                        image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        if (direct) {
            std::memcpy(line, image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line,
                        static_cast<std::size_t>(part.width()) * sizeof(QRgb));
            for (int x = 0; x < part.width(); ++x)
                line[x] |= 0xFF000000u;
        } else {
            for (int x = 0; x < part.width(); ++x)
                line[x] = static_cast<QRgb>(XGetPixel(image, x, y)) | 0xFF000000u;
        }
    }
    XDestroyImage(image);
    return result;
}

} // namespace kyvo::journey
