#pragma once
// The items of one check list: recording names (bare file names, kept wide as
// the scan gives them) with one check flag each. A list view shows it; check
// changes made through the view come in as setData(CheckStateRole) and go out
// as dataChanged(), which the page uses to refresh its counter.
//
// GUI thread only.

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace kyvo::recordings {

class CheckListModel : public QAbstractListModel {
public:
    explicit CheckListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces the items with `names`, all unchecked.
    void assign(std::vector<std::u16string> names);
    void clear();

    int count() const { return static_cast<int>(names_.size()); }
    int checkedCount() const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Sets or clears every flag (one change for the whole list).
    void setAllChecked(bool checked);

    const std::vector<std::u16string>& names() const { return names_; }
    const std::vector<bool>& checks() const { return checks_; }

private:
    bool validRow(int row) const { return row >= 0 && row < count(); }

    std::vector<std::u16string> names_;
    std::vector<bool> checks_; // same length as names_
};

} // namespace kyvo::recordings
