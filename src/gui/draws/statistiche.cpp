#include "gui/draws/statistiche.h"

#include "core/draws/drawarchive.h"
#include "core/draws/drawstats.h"
#include "gui/common/barchart.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace sestara {

namespace {

constexpr int kFigures = 4;
const char* const kCaptions[kFigures + 1] = {"Numero", "Frequenza", "Jolly", "Ritardo", "Ritardo massimo"};

// A figure of the table; none when the period holds no draw, as zeros would read as a result.
QTableWidgetItem* numberItem(std::optional<std::size_t> value)
{
    auto* item = new QTableWidgetItem;
    if (value)
        item->setData(Qt::DisplayRole, static_cast<qulonglong>(*value));
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

Statistiche::Statistiche(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Statistiche"));
    setWindowTitle(QStringLiteral("Statistiche"));

    from_ = ui::dateEdit(QStringLiteral("dtDal"));
    to_ = ui::dateEdit(QStringLiteral("dtAl"));
    for (QDateEdit* e : {from_, to_})
        connect(e, &QDateEdit::dateChanged, this, &Statistiche::recompute);
    range_ = ui::valueLabel(QStringLiteral("lblEstrazioni"));

    QStringList captions;
    for (const char* c : kCaptions)
        captions << QString::fromLatin1(c);
    table_ = ui::readOnlyTable(QStringLiteral("tblStatistiche"), 90, captions);
    table_->setSelectionMode(QAbstractItemView::MultiSelection);
    table_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &Statistiche::showChart);

    chartChoice_ = new QComboBox;
    chartChoice_->setObjectName(QStringLiteral("cboGrafico"));
    for (int f = 1; f <= kFigures; ++f)
        chartChoice_->addItem(QString::fromLatin1(kCaptions[f]));
    connect(chartChoice_, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Statistiche::showChart);
    chart_ = new BarChart;
    chart_->setObjectName(QStringLiteral("graficoStatistiche"));

    QPushButton* usa = ui::button(QStringLiteral("cmdUsaPronostico"), QStringLiteral("Usa come pronostico"),
                                  QStringLiteral("Apre un nuovo sistema con i numeri selezionati"));
    connect(usa, &QPushButton::clicked, this, &Statistiche::usaComePronostico);
    QPushButton* chiudi = ui::button(QStringLiteral("cmdChiudi"), QStringLiteral("Chiudi"), QStringLiteral("Chiudi Finestra"));
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

    QHBoxLayout* dates = ui::periodRow(from_, to_);
    dates->addWidget(range_, 1);

    auto* chartSide = new QVBoxLayout;
    chartSide->addWidget(chartChoice_);
    chartSide->addWidget(chart_, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(table_, 1);
    middle->addLayout(chartSide, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(middle, 1);
    layout->addLayout(ui::buttonRow({usa}, chiudi));
    resize(900, 560);
    // A window of its own, not kept above the main window: "Usa come pronostico" opens a system
    // window there, which has to come in front of this one. It still goes with the main window.
    setAttribute(Qt::WA_QuitOnClose, false);
    winId();
    windowHandle()->setTransientParent(nullptr);
}

void Statistiche::setDraws(const std::vector<Draw>& draws)
{
    draws_ = draws;
    const QSignalBlocker a(from_);
    const QSignalBlocker b(to_);
    const QDate first = draws_.empty() ? QDate::currentDate() : ui::dateOfDay(draws_.front().date);
    const QDate last = draws_.empty() ? QDate::currentDate() : ui::dateOfDay(draws_.back().date);
    from_->setDate(first);
    to_->setDate(last);
    recompute();
    // Every column whole without scrolling sideways: the table is as wide as its columns.
    const QAbstractItemView* view = table_;
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c <= kFigures; ++c)
        width += std::max(table_->horizontalHeader()->sectionSizeHint(c), view->sizeHintForColumn(c));
    table_->setMinimumWidth(width);
}

void Statistiche::recompute()
{
    const int from = ui::dayOfDate(from_->date());
    const int to = ui::dayOfDate(to_->date());
    std::vector<Draw> inRange;
    for (const Draw& d : draws_)
        if (d.date >= from && d.date <= to)
            inRange.push_back(d);
    hasFigures_ = !inRange.empty();
    if (from > to)
        range_->setText(QString::fromUtf8(kMsgPeriodoInvertito));
    else if (!hasFigures_)
        range_->setText(QString::fromUtf8(kMsgPeriodoVuoto));
    else
        range_->setText(QString::fromStdString(drawCountText(inRange.size())));
    const std::array<NumberStats, 90> stats = numberStats(inRange);
    const QVector<int> selected = selectedNumbers();
    table_->setSortingEnabled(false);
    const QSignalBlocker block(table_);
    table_->clearSelection();
    for (int row = 0; row < 90; ++row) {
        const NumberStats& s = stats[static_cast<std::size_t>(row)];
        const std::size_t values[kFigures + 1] = {static_cast<std::size_t>(s.number), s.frequency, s.jolly, s.delay,
                                                  s.longestDelay};
        table_->setItem(row, 0, numberItem(values[0]));
        for (int c = 1; c <= kFigures; ++c)
            table_->setItem(row, c, numberItem(hasFigures_ ? std::optional<std::size_t>(values[c]) : std::nullopt));
    }
    table_->setSortingEnabled(true);
    for (int row = 0; row < 90; ++row)
        if (selected.contains(table_->item(row, 0)->data(Qt::DisplayRole).toInt()))
            table_->selectRow(row);
    showChart();
}

QVector<int> Statistiche::selectedNumbers() const
{
    QVector<int> numbers;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows())
        numbers << table_->item(row.row(), 0)->data(Qt::DisplayRole).toInt();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void Statistiche::showChart()
{
    // The bars always go from number 1 to 90, whatever the table's order.
    const int figure = chartChoice_->currentIndex() + 1;
    QVector<double> values(90);
    QStringList labels;
    for (int n = 1; n <= 90; ++n)
        labels << QString::number(n);
    for (int row = 0; row < 90; ++row) {
        const QTableWidgetItem* number = table_->item(row, 0);
        const QTableWidgetItem* value = table_->item(row, figure);
        if (number && value)
            values[number->data(Qt::DisplayRole).toInt() - 1] = value->data(Qt::DisplayRole).toDouble();
    }
    QVector<bool> marked(90, false);
    for (int n : selectedNumbers())
        marked[n - 1] = true;
    chart_->setTitle(chartChoice_->currentText());
    if (hasFigures_)
        chart_->setBars(values, labels, marked);
    else
        chart_->setBars({}, {});
}

void Statistiche::usaComePronostico()
{
    const QVector<int> numbers = selectedNumbers();
    if (numbers.size() < 10 || numbers.size() > 55) {
        Messages::show(this, QString::fromUtf8(kMsgSelezionarePronostico), MessageIcon::Exclamation);
        return;
    }
    emit pronosticoRichiesto(numbers);
}

} // namespace sestara
