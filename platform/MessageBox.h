#pragma once
// Message boxes for the user go through messageBox(), so that tests can
// record them instead of blocking on a modal dialog.

#include <QString>

#include <functional>

class QWidget;

namespace kyvo {

enum class MessageIcon { None, Information, Warning, Critical };

enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2 };

struct MessageBoxRequest {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
};

// Shows the text modally (OK button), centred over the parent's window but not
// styled by it, and answers the button pressed.
int messageBox(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::None);
// The same with the string-table text of `stringId`.
int messageBox(QWidget* parent, int stringId, MessageIcon icon = MessageIcon::None);

// A sink replaces the dialog (tests). Pass an empty function to restore it.
using MessageBoxSink = std::function<int(const MessageBoxRequest&)>;
void setMessageBoxSink(MessageBoxSink sink);

} // namespace kyvo
