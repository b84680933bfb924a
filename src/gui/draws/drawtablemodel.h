#pragma once

#include "core/draws/draw.h"

#include <QAbstractTableModel>

#include <vector>

namespace sestara {

// The draws of the archive for a table, newest first: date, concorso, the six numbers, jolly and
// superstar.
class DrawTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The draws in date order, as the archive holds them.
    void setDraws(const std::vector<Draw>& draws);
    // The draw shown in a row.
    const Draw& drawAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Draw> draws_; // in date order; row 0 is the last
};

} // namespace sestara
