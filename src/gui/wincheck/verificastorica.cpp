#include "gui/wincheck/verificastorica.h"

#include "core/draws/drawarchive.h"
#include "core/draws/drawstats.h"
#include "core/util/files.h"
#include "gui/common/barchart.h"
#include "gui/common/filedialogs.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"

#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

namespace sestara {

VerificaStorica::VerificaStorica(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("VerificaStorica"));
    setWindowTitle(QStringLiteral("Verifica Storica"));

    from_ = ui::dateEdit(QStringLiteral("dtDal"));
    to_ = ui::dateEdit(QStringLiteral("dtAl"));
    QPushButton* verifica = ui::button(QStringLiteral("cmdVerifica"), QStringLiteral("Verifica"));
    connect(verifica, &QPushButton::clicked, this, &VerificaStorica::verifica);

    QStringList captions{QStringLiteral("Data")};
    for (int c = 0; c < kWinClasses; ++c)
        captions << QString::fromLatin1(winClassCaption(static_cast<WinClass>(c)));
    table_ = ui::readOnlyTable(QStringLiteral("tblVerifica"), 0, captions);

    summary_ = ui::valueLabel(QStringLiteral("lblVincenti"));
    withoutSuperStar_ = ui::valueLabel(QStringLiteral("lblSenzaSuperStar"));
    withoutSuperStar_->hide();
    chart_ = new BarChart;
    chart_->setObjectName(QStringLiteral("graficoVincite"));
    chart_->setTitle(QStringLiteral("Colonne vincenti per estrazione"));

    QPushButton* csv = ui::button(QStringLiteral("cmdEsportaCsv"), QStringLiteral("Esporta CSV"));
    connect(csv, &QPushButton::clicked, this, &VerificaStorica::esportaCsv);
    QPushButton* chiudi = ui::button(QStringLiteral("cmdChiudi"), QStringLiteral("Chiudi"), QStringLiteral("Chiudi Finestra"));
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

    QHBoxLayout* dates = ui::periodRow(from_, to_);
    dates->addWidget(verifica);
    dates->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addWidget(table_, 2);
    layout->addWidget(summary_);
    layout->addWidget(withoutSuperStar_);
    layout->addWidget(chart_, 1);
    layout->addLayout(ui::buttonRow({csv}, chiudi));
    resize(720, 640);
}

void VerificaStorica::setArchiveDates(int first, int last)
{
    from_->setDate(ui::dateOfDay(first));
    to_->setDate(ui::dateOfDay(last));
}

int VerificaStorica::from() const
{
    return ui::dayOfDate(from_->date());
}

int VerificaStorica::to() const
{
    return ui::dayOfDate(to_->date());
}

void VerificaStorica::verifica()
{
    if (from() > to()) {
        clear();
        Messages::show(this, QString::fromUtf8(kMsgPeriodoInvertito), MessageIcon::Exclamation);
        return;
    }
    emit verificaRequested(from(), to());
}

void VerificaStorica::clear()
{
    result_ = HistoryResult{};
    table_->setRowCount(0);
    summary_->clear();
    chart_->setBars({}, {});
}

void VerificaStorica::showResult(const HistoryResult& result)
{
    if (result.rows.empty() && !result.interrupted) {
        // Zeros over no draw would read as a result.
        clear();
        summary_->setText(QString::fromUtf8(kMsgPeriodoVuoto));
        return;
    }
    result_ = result;
    const int rows = static_cast<int>(result.rows.size());
    table_->setUpdatesEnabled(false);
    table_->clearContents();
    table_->setRowCount(rows + 1);
    // A SuperStar system adds the eight stella classes after the six of the main game.
    const int stellaColumns = result.superStar != 0 ? kStellaClasses : 0;
    table_->setColumnCount(1 + kWinClasses + stellaColumns);
    for (int c = 0; c < stellaColumns; ++c)
        table_->setHorizontalHeaderItem(1 + kWinClasses + c,
                                        new QTableWidgetItem(QString::fromLatin1(stellaClassName(c)) +
                                                             QStringLiteral(" stella")));
    QFont bold = table_->font();
    bold.setBold(true);
    const auto cell = [&](int row, int column, std::uint64_t n, bool strong) {
        auto* item = new QTableWidgetItem(QString::number(n));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (strong)
            item->setFont(bold);
        table_->setItem(row, column, item);
    };
    const auto fill = [&](int row, const QString& first, const WinCounts& counts, const StellaCounts& stella,
                          bool strong) {
        auto* date = new QTableWidgetItem(first);
        if (strong)
            date->setFont(bold);
        table_->setItem(row, 0, date);
        for (int c = 0; c < kWinClasses; ++c)
            cell(row, c + 1, counts[static_cast<std::size_t>(c)], strong);
        for (int c = 0; c < stellaColumns; ++c)
            cell(row, 1 + kWinClasses + c, stella[static_cast<std::size_t>(c)], strong);
    };
    QVector<double> wins;
    QVector<bool> marked;
    QStringList labels;
    for (int r = 0; r < rows; ++r) {
        const HistoryRow& row = result.rows[static_cast<std::size_t>(r)];
        const QString date = QString::fromStdString(playerDate(row.draw.date));
        // Newest first, as in the archive; the chart keeps time running left to right.
        fill(rows - 1 - r, date, row.counts, row.stella, row.wins());
        wins << static_cast<double>(std::accumulate(row.counts.begin(), row.counts.end(), std::uint64_t{0}));
        marked << (row.counts[static_cast<std::size_t>(WinClass::Sei)] > 0 ||
                   row.counts[static_cast<std::size_t>(WinClass::CinquePiuUno)] > 0 ||
                   row.counts[static_cast<std::size_t>(WinClass::Cinque)] > 0);
        labels << date;
    }
    fill(rows, QStringLiteral("TOTALE"), result.totals, result.stellaTotals, true);
    table_->setUpdatesEnabled(true);
    summary_->setText(QString::fromStdString(winningDrawsText(result.winningDraws, result.rows.size())) +
                      (result.interrupted ? QStringLiteral(" (verifica interrotta)") : QString()));
    chart_->setBars(wins, labels, marked);
    withoutSuperStar_->setText(QString::fromStdString(withoutSuperStarText(result.withoutSuperStar)));
    withoutSuperStar_->setVisible(result.withoutSuperStar > 0);
}

void VerificaStorica::esportaCsv()
{
    const QString path = FileDialogs::saveFileName(this, QStringLiteral("Esporta CSV"), QDir::homePath(),
                                                   QStringLiteral("CSV (*.csv)"), QStringLiteral("VerificaStorica.csv"));
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !confirmReplace(this, QFileInfo(path).fileName()))
        return;
    const std::string failure = writeFileAtomically(QFile::encodeName(path).toStdString(), historyCsvText(result_));
    if (!failure.empty())
        Messages::show(this, QStringLiteral("Impossibile salvare il file %1: ").arg(path) + QString::fromStdString(failure),
                       MessageIcon::Critical);
}

} // namespace sestara
