#include "gui/guarantees/garanziewindow.h"

#include "core/development/run.h"
#include "core/document/systemdocument.h"
#include "core/guarantees/guarantees.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sestara {

namespace {

constexpr int kScoreColumns = 7; // 6 punti .. 0 punti
const QColor kRed(255, 0, 0);


} // namespace

GaranzieWindow::GaranzieWindow(RunControl* control, QWidget* systemWindow)
    : QWidget(systemWindow, Qt::Window)
    , runner_(new DevelopmentRunner(control, systemWindow))
{
    setObjectName(QStringLiteral("Garanzie"));

    table_ = new QTableWidget(0, kScoreColumns + 1);
    table_->setObjectName(QStringLiteral("TabellaGaranzie"));
    QStringList headers;
    for (int v = 6; v >= 0; --v)
        headers << QString::fromStdString(pointsText(v));
    headers << QString::fromUtf8(kColonnaGaranzia);
    table_->setHorizontalHeaderLabels(headers);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    for (std::size_t i = 0; i < atLeast_.size(); ++i) {
        atLeast_[i] = ui::valueLabel(QStringLiteral("Almeno%1").arg(i + 2));
        layout->addWidget(atLeast_[i]);
    }
    guarantee_ = ui::valueLabel(QStringLiteral("LabelGaranzia"));
    guarantee_->setWordWrap(true);
    layout->addWidget(guarantee_);
    QLabel* jolly = ui::valueLabel(QStringLiteral("LabelJolly"), QString::fromUtf8(kNotaJolly));
    layout->addWidget(jolly);
    layout->addStretch(1);

    QPushButton* copy = ui::button(QStringLiteral("Copia"), QStringLiteral("Copia"));
    connect(copy, &QPushButton::clicked, this, &GaranzieWindow::copia);
    aggiorna_ = ui::button(QStringLiteral("Aggiorna"), QStringLiteral("Aggiorna"));
    aggiorna_->hide();
    connect(aggiorna_, &QPushButton::clicked, this, &GaranzieWindow::aggiornaRequested);
    QPushButton* close = ui::button(QStringLiteral("Chiudi"), QStringLiteral("Chiudi"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(aggiorna_);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(runner_, &DevelopmentRunner::finished, this, &GaranzieWindow::analysisFinished);
}

GaranzieWindow::~GaranzieWindow()
{
    if (runner_)
        runner_->stop();
}

bool GaranzieWindow::isRunning() const
{
    return runner_ && runner_->isRunning();
}

void GaranzieWindow::stop()
{
    if (runner_ && runner_->isRunning()) {
        runner_->stop();
        result_.reset();
        clear();
        emit analysisEnded();
    }
}

void GaranzieWindow::analyse(const DevelopedSystem& system, const QString& caption)
{
    if (isRunning() || !runner_)
        return;
    if (!hasColumns(&system)) {
        Messages::show(parentWidget(), QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
        return;
    }
    if (!runner_->begin())
        return;
    clear();
    aggiorna_->hide();
    setWindowTitle(caption);
    entryText_ = system.entryText;
    show();
    raise();
    emit analysisStarted();

    auto result = std::make_shared<GuaranteeAnalysis>();
    result_ = result;
    const std::shared_ptr<const Development> development = system.development;
    const std::vector<std::uint8_t> pronostico = system.pronostico;
    runner_->start(guaranteeWork(static_cast<int>(pronostico.size()), development->size()),
                   [development, pronostico, result](const std::atomic<bool>& interrupt, RunCounters& counters) {
                       const auto progress = [&counters](std::uint64_t done) {
                           counters.examined.store(done, std::memory_order_relaxed);
                       };
                       *result = analyseGuarantees(pronostico, *development, interrupt, progress);
                   });
}

void GaranzieWindow::analysisFinished(bool completed)
{
    const std::shared_ptr<GuaranteeAnalysis> result = std::move(result_);
    if (completed && result && result->ok()) {
        showAnalysis(*result);
    } else {
        clear();
        guarantee_->setText(QStringLiteral("Elaborazione Interrotta"));
        aggiorna_->show();
        if (result && !result->error.empty())
            Messages::show(this, QString::fromStdString(result->error), MessageIcon::Critical);
    }
    emit analysisEnded();
    raise();
    activateWindow();
}

void GaranzieWindow::clear()
{
    table_->setRowCount(0);
    for (QLabel* label : atLeast_) {
        label->clear();
        label->setToolTip(QString());
    }
    guarantee_->clear();
    guarantee_->setPalette(QPalette());
}

void GaranzieWindow::developmentChanged()
{
    if (isRunning())
        return;
    clear();
    guarantee_->setText(QString::fromUtf8(kMsgSviluppoCambiato));
    aggiorna_->show();
}

void GaranzieWindow::showAnalysis(const GuaranteeAnalysis& a)
{
    const QLocale locale;
    const int largest = a.largestDrawn();
    table_->setRowCount(largest - 1);
    QStringList rows;
    for (int h = largest; h >= 2; --h) {
        const int row = largest - h;
        rows << QString::fromStdString(rowCaption(h));
        const auto& counts = a.bySubset[static_cast<std::size_t>(h)];
        for (int v = 6; v >= 0; --v) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (v <= h) {
                const std::uint64_t count = counts[static_cast<std::size_t>(v)];
                item->setText(ui::shareText(count, a.subsets(h)));
                item->setToolTip(locale.toString(static_cast<qulonglong>(count)));
            }
            table_->setItem(row, 6 - v, item);
        }
        auto* lowest = new QTableWidgetItem(QString::fromStdString(pointsText(a.lowestScore(h))));
        lowest->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, kScoreColumns, lowest);
    }
    table_->setVerticalHeaderLabels(rows);
    // The whole table in sight: the window grows to it, never shrinks under the user.
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    const int frame = 2 * table_->frameWidth();
    const QHeaderView* top = table_->horizontalHeader();
    const QHeaderView* side = table_->verticalHeader();
    table_->setMinimumWidth(side->sizeHint().width() + top->length() + frame);
    table_->setFixedHeight(top->sizeHint().height() + side->length() + frame);
    resize(size().expandedTo(sizeHint()));

    const NumberText number = [&locale](double value, int decimals) {
        return locale.toString(value, 'f', decimals).toStdString();
    };
    for (int k = 2; k <= 6; ++k) {
        QLabel* label = atLeast_[static_cast<std::size_t>(k - 2)];
        const std::uint64_t draws = a.atLeast[static_cast<std::size_t>(k)];
        label->setText(QString::fromStdString(atLeastText(k, draws, number)));
        label->setToolTip(QString::fromStdString(atLeastTip(draws, number)));
    }

    if (const auto stated = statedGuarantee(entryText_)) {
        const GuaranteeShare share = guaranteeShare(a, *stated);
        guarantee_->setText(QString::fromStdString(
            guaranteeLine(*stated, share.holds(), ui::shareText(share.reached, share.total).toStdString())));
        QPalette palette;
        if (!share.holds())
            palette.setColor(QPalette::WindowText, kRed);
        guarantee_->setPalette(palette);
    }
}

QString GaranzieWindow::tableText() const
{
    QStringList lines;
    QStringList header{QString()};
    for (int c = 0; c < table_->columnCount(); ++c)
        header << table_->horizontalHeaderItem(c)->text();
    lines << header.join(QLatin1Char('\t'));
    for (int r = 0; r < table_->rowCount(); ++r) {
        QStringList cells{table_->verticalHeaderItem(r)->text()};
        for (int c = 0; c < table_->columnCount(); ++c)
            cells << (table_->item(r, c) ? table_->item(r, c)->text() : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void GaranzieWindow::copia()
{
    QApplication::clipboard()->setText(tableText());
}

} // namespace sestara
