#include "gui/draws/drawtablemodel.h"

namespace sestara {

namespace {
constexpr int kColumns = 10;
}

void DrawTableModel::setDraws(const std::vector<Draw>& draws)
{
    beginResetModel();
    draws_ = draws;
    endResetModel();
}

const Draw& DrawTableModel::drawAt(int row) const
{
    return draws_[draws_.size() - 1 - static_cast<std::size_t>(row)];
}

int DrawTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(draws_.size());
}

int DrawTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? QVariant() : QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const Draw& d = drawAt(index.row());
    switch (index.column()) {
    case 0:
        return QString::fromStdString(playerDate(d.date));
    case 1:
        return d.concorso > 0 ? QVariant(d.concorso) : QVariant(QString());
    case 8:
        return d.jolly;
    case 9:
        return d.superstar > 0 ? QVariant(d.superstar) : QVariant(QString());
    default:
        return d.numbers[static_cast<std::size_t>(index.column() - 2)];
    }
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const captions[kColumns] = {"Data", "Concorso", "N1", "N2", "N3",
                                                   "N4", "N5", "N6", "Jolly", "SuperStar"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(captions[section]) : QVariant();
}

} // namespace sestara
