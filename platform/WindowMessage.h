#pragma once
// Window messages between the viewer's windows.
//
// A message is a QEvent whose type() is the message value itself (every value
// used lies in Qt's user range 1000..65535), with the two parameters and a
// result slot. A window receives them in one handler, its message map.
//
// sendMessage is synchronous and must be called on the target's thread; it
// answers the handler's result. postMessage queues the message to the target's
// thread and returns at once; it is safe from any thread. Posted messages to
// one target arrive in the order they were posted.

#include <QEvent>
#include <QWidget>

#include <cstdint>

namespace kyvo {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

class WindowMessage : public QEvent {
public:
    WindowMessage(unsigned message, WParam wParam, LParam lParam);

    unsigned message() const { return message_; }
    WParam wParam() const { return wParam_; }
    LParam lParam() const { return lParam_; }

    LResult result = 0;

    static bool isWindowMessage(const QEvent* event);

private:
    unsigned message_;
    WParam wParam_;
    LParam lParam_;
};

// Lowest and highest values that can travel as window messages.
inline constexpr unsigned kFirstMessage = QEvent::User;
inline constexpr unsigned kLastMessage = QEvent::MaxUser;

LResult sendMessage(QObject* target, unsigned message, WParam wParam = 0, LParam lParam = 0);
void postMessage(QObject* target, unsigned message, WParam wParam = 0, LParam lParam = 0);

// A window with a message map: every WindowMessage that reaches it goes to
// windowMessage(), whose answer becomes the message's result.
class MessageWindow : public QWidget {
public:
    explicit MessageWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

protected:
    virtual LResult windowMessage(unsigned message, WParam wParam, LParam lParam);
    bool event(QEvent* event) override;
};

} // namespace kyvo
