#pragma once

#include <QAbstractListModel>

#include <cstdint>

class QComboBox;

namespace sestara {

// The entries of a slip list: "Scheda N° 1" onwards, one per slip, after "TUTTE" when the list
// offers all slips. The texts are made when a view asks for them, so a list of hundreds of
// thousands of slips costs nothing to fill.
class SlipsModel : public QAbstractListModel {
    Q_OBJECT
public:
    SlipsModel(bool withTutte, QObject* parent = nullptr);

    // The list for `slips` slips ("TUTTE" alone for none when the list has it).
    void setSlips(int slips);
    // No entries at all.
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void setRows(int rows);

    bool withTutte_;
    int rows_ = 0;
};

// Sets a combo box up for a list of any length: no measuring of every entry, neither for the box
// nor for its drop-down list, whose entries share one height.
void showLongList(QComboBox* combo, SlipsModel* model);

} // namespace sestara
