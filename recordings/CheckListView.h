#pragma once
// The list view of a page: uniform rows (fast with ten thousand names), rows
// painted by CheckListDelegate, and a hint painted in the middle while the
// list is empty.

#include <QListView>
#include <QString>

namespace kyvo::recordings {

class CheckListDelegate;

class CheckListView : public QListView {
public:
    explicit CheckListView(QWidget* parent = nullptr);

    void setEmptyHint(const QString& text);
    QString emptyHint() const { return emptyHint_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CheckListDelegate* delegate_;
    QString emptyHint_;
};

} // namespace kyvo::recordings
