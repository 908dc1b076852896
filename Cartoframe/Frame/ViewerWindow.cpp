#include "ViewerWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>

#include <algorithm>

namespace cartoframe {
namespace {

QPointer<ViewerWindow> g_window;

TViewKey toViewKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
        return VF_KEY_ESCAPE;
    case Qt::Key_P:
        return VF_KEY_P;
    case Qt::Key_F1:
        return VF_KEY_F1;
    default:
        return VF_KEY_OTHER;
    }
}

// The Qt image format over back-buffer bits of a depth.
QImage::Format imageFormat(int depth) {
    switch (depth) {
    case 16:
        return QImage::Format_RGB555;
    case 24:
        return QImage::Format_BGR888;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_Invalid;
    }
}

QSize screenSize(const QWidget* parent) {
    const QScreen* screen = parent->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace

void ViewerWindow::open(const TOpenRequest& request, QWidget* parent) {
    // A child window needs its parent; without one there is no window.
    if (!parent || g_window)
        return;
    const QByteArray executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    const QSize screen = screenSize(parent);
    TOpenRequest full = request;
    full.executablePath = executable.constData();
    full.screenWidth = screen.width();
    full.screenHeight = screen.height();
    if (!vf_PrepareOpen(full))
        return;

    const TWindowGeometry& g = vf_Geometry();
    auto* window = new ViewerWindow(parent);
    window->setGeometry(g.x, g.y, std::max(g.width, 0), std::max(g.height, 0));
    g_window = window;
    vf_StartUp(window, window->width(), window->height());
    window->show();
    window->setFocus();
}

ViewerWindow* ViewerWindow::current() { return g_window.data(); }

ViewerWindow::ViewerWindow(QWidget* parent) : kyvo::MessageWindow(parent) {
    setWindowTitle(QString::fromUtf8(VF_WINDOW_TITLE));
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted from the back buffer or black: no erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

ViewerWindow::~ViewerWindow() {
    // The host deleting the parent (or this window): tear the map down. After
    // Esc the logic has already forgotten this window and nothing happens.
    vf_Close(this);
}

void ViewerWindow::apply(unsigned action) {
    if (action & VF_REPAINT)
        update();
    if (action & VF_CLOSE) {
        g_window = nullptr;
        hide();
        deleteLater();
    }
}

kyvo::LResult ViewerWindow::windowMessage(unsigned message, kyvo::WParam wParam, kyvo::LParam lParam) {
    if (message != GIS_MSG_POSITION)
        return kyvo::MessageWindow::windowMessage(message, wParam, lParam);
    if (isCurrent())
        apply(vf_PositionMessage(reinterpret_cast<const void*>(wParam)));
    return 0;
}

void ViewerWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRegion black(rect());
    const TBackBufferView buffer = vf_BackBuffer();
    const QImage::Format format = imageFormat(buffer.depth);
    if (isCurrent() && buffer.bits && format != QImage::Format_Invalid) {
        const QImage image(buffer.bits, buffer.width, buffer.height, buffer.stride, format);
        painter.drawImage(0, 0, image);
        black -= image.rect();
    }
    for (const QRect& r : black)
        painter.fillRect(r, Qt::black);
}

void ViewerWindow::keyPressEvent(QKeyEvent* event) {
    const unsigned action = isCurrent() ? vf_KeyDown(toViewKey(event->key())) : VF_IGNORED;
    if (!(action & VF_HANDLED)) {
        kyvo::MessageWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    apply(action);
}

void ViewerWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isCurrent()) {
        kyvo::MessageWindow::mouseReleaseEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    apply(vf_Click(at.x(), at.y()));
}

} // namespace cartoframe
