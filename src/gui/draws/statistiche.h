#pragma once

#include "core/draws/draw.h"

#include <QVector>
#include <QWidget>

#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;

namespace sestara {

class BarChart;

// "Statistiche": for each number from 1 to 90 over the draws between two dates, its frequency,
// how often it was the jolly, its current delay and its longest delay, in a sortable table beside
// a bar chart; the numbers selected become the prediction of a new system window.
class Statistiche : public QWidget {
    Q_OBJECT
public:
    explicit Statistiche(QWidget* parent = nullptr);

    // The archive's draws in date order; the dates go back to the whole archive.
    void setDraws(const std::vector<Draw>& draws);
    // The numbers selected in the table, ascending.
    QVector<int> selectedNumbers() const;

signals:
    void pronosticoRichiesto(const QVector<int>& numbers);

private:
    void recompute();
    void showChart();
    void usaComePronostico();

    std::vector<Draw> draws_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLabel* range_ = nullptr;
    QTableWidget* table_ = nullptr;
    QComboBox* chartChoice_ = nullptr;
    BarChart* chart_ = nullptr;
    bool hasFigures_ = false; // the period holds draws
};

} // namespace sestara
