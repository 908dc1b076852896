#pragma once
// The folder text of the selector: text() keeps the whole folder, the label
// paints it shortened in the middle when it does not fit, and the tool tip
// shows it whole.

#include <QLabel>

namespace kyvo::recordings {

class FolderLabel : public QLabel {
public:
    explicit FolderLabel(QWidget* parent = nullptr);

    void setFolder(const QString& folder);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kyvo::recordings
