#pragma once

#include "core/draws/historycheck.h"

#include <QString>
#include <QWidget>

class QDateEdit;
class QLabel;
class QTableWidget;

namespace sestara {

class BarChart;

// "Verifica Storica": the system window's development against every draw of the archive between
// two dates: a row a draw with the counters by class (rows with a win in bold), the total row,
// the draws that won, a chart of the winning columns draw by draw, and a CSV copy. The check
// itself runs through the system window's runner; this window asks for it and shows it.
class VerificaStorica : public QWidget {
    Q_OBJECT
public:
    explicit VerificaStorica(QWidget* parent = nullptr);

    // The whole archive's dates, offered as the period.
    void setArchiveDates(int first, int last);
    int from() const;
    int to() const;
    // The outcome of a check; an interrupted one shows the draws reached, one of no draw says so.
    void showResult(const HistoryResult& result);
    void clear();

signals:
    // "Verifica" with the period chosen.
    void verificaRequested(int from, int to);

private:
    void verifica();
    void esportaCsv();

    HistoryResult result_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    BarChart* chart_ = nullptr;
};

} // namespace sestara
