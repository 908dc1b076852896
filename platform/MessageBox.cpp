#include "MessageBox.h"

#include "CentredDialog.h"
#include "Strings.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace kyvo {

namespace {

MessageBoxSink& sink() {
    static MessageBoxSink instance;
    return instance;
}

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int messageBox(QWidget* parent, const QString& text, MessageIcon icon) {
    MessageBoxRequest request{text, QApplication::applicationDisplayName(), icon};
    if (sink())
        return sink()(request);
    // No parent: a dark window's style sheet stays out of the box, which is
    // centred over that window instead.
    QMessageBox box(toQt(icon), request.caption, text, QMessageBox::Ok);
    execCentredOver(box, parent);
    return kAnswerOk;
}

int messageBox(QWidget* parent, int stringId, MessageIcon icon) {
    return messageBox(parent, loadString(stringId), icon);
}

void setMessageBoxSink(MessageBoxSink newSink) {
    sink() = std::move(newSink);
}

} // namespace kyvo
