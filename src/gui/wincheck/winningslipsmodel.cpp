#include "gui/wincheck/winningslipsmodel.h"

namespace sestara {

WinningSlipsModel::WinningSlipsModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void WinningSlipsModel::setEntries(std::vector<WinningEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void WinningSlipsModel::clear()
{
    setEntries({});
}

int WinningSlipsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant WinningSlipsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return QString::fromStdString(winningEntryText(entries_[static_cast<std::size_t>(index.row())]));
}

} // namespace sestara
