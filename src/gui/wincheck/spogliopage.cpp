#include "gui/wincheck/spogliopage.h"

#include "core/document/systemdocument.h"
#include "core/draws/drawarchive.h"
#include "core/draws/historycheck.h"
#include "core/wincheck/wincheck.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"
#include "gui/common/predictiongrid.h"
#include "gui/wincheck/schedinev.h"
#include "gui/wincheck/verificastorica.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace sestara {

using ui::button;
using ui::frame;
using ui::valueLabel;

namespace {
const QColor kRed(255, 0, 0);
const QColor kCyan(0, 255, 255);
} // namespace

SpoglioPage::SpoglioPage(const SystemDocument& document, RunControl* runControl, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , runner_(new DevelopmentRunner(runControl, this))
{
    grid_ = new PredictionGrid;
    grid_->setObjectName(QStringLiteral("MSFlexGrid2"));
    connect(grid_, &QTableWidget::cellClicked, this, &SpoglioPage::gridClicked);

    list_ = valueLabel(QStringLiteral("Label5"));
    list_->setWordWrap(true);

    auto* classes = new QGroupBox(QStringLiteral("Combinazioni Sortite"));
    classes->setObjectName(QStringLiteral("Frame11"));
    auto* classGrid = new QGridLayout(classes);
    for (int c = 0; c < kWinClasses; ++c) {
        counts_[static_cast<std::size_t>(c)] = valueLabel(QStringLiteral("Label6_%1").arg(c), QStringLiteral("0"));
        counts_[static_cast<std::size_t>(c)]->setAlignment(Qt::AlignCenter);
        classGrid->addWidget(frame(QString::fromLatin1(winClassCaption(static_cast<WinClass>(c))),
                                   counts_[static_cast<std::size_t>(c)]),
                             c / 2, c % 2);
    }

    auto* stella = new QGroupBox(QStringLiteral("SuperStar"));
    stella->setObjectName(QStringLiteral("FrameStella"));
    auto* stellaGrid = new QGridLayout(stella);
    for (int c = 0; c < kStellaClasses; ++c) {
        QLabel*& label = stella_[static_cast<std::size_t>(c)];
        label = valueLabel(QStringLiteral("lblStella_%1").arg(c), QStringLiteral("0"));
        label->setAlignment(Qt::AlignCenter);
        stellaGrid->addWidget(frame(QString::fromLatin1(stellaClassName(c)) + QStringLiteral(" stella"), label), c / 4,
                              c % 4);
    }
    stellaFrame_ = stella;
    stella->hide();
    drawnSuperStar_ = ui::superStarBox(QStringLiteral("cboSuperStarEstratto"), QString());

    caught_ = new QComboBox;
    caught_->setObjectName(QStringLiteral("Combo5"));
    caughtCount_ = valueLabel(QStringLiteral("Label9"), QStringLiteral("0"));

    auto* side = new QVBoxLayout;
    side->addWidget(classes);
    side->addWidget(stella);
    side->addWidget(frame(QStringLiteral("Lista Numeri Indovinati"), caught_));
    side->addWidget(frame(QStringLiteral("Quanti Numeri Indovinati"), caughtCount_, QStringLiteral("Frame5")));
    side->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(frame(QStringLiteral("Numeri Estratti"), grid_, QStringLiteral("Frame9")), 3);
    top->addLayout(side, 1);

    QPushButton* deseleziona = button(QStringLiteral("Command10"), QStringLiteral("Deseleziona"));
    connect(deseleziona, &QPushButton::clicked, this, &SpoglioPage::deseleziona);
    QPushButton* casuale = button(QStringLiteral("Command26"), QStringLiteral("Colonna Casuale"));
    connect(casuale, &QPushButton::clicked, this, &SpoglioPage::colonnaCasuale);
    QPushButton* spoglio =
        button(QStringLiteral("Command12"), QStringLiteral("Spoglio"), QStringLiteral("Ricerca Vincite"));
    connect(spoglio, &QPushButton::clicked, this, [this] { this->spoglio(false); });
    QPushButton* vincenti = button(QStringLiteral("Command22"), QStringLiteral("Schedine Vincenti"),
                                   QStringLiteral("Visualizza schedine vincenti"));
    connect(vincenti, &QPushButton::clicked, this, [this] { this->spoglio(true); });
    QPushButton* storica = button(QStringLiteral("cmdVerificaStorica"), QStringLiteral("Verifica Storica"),
                                  QStringLiteral("Verifica il sistema su tutte le estrazioni dell'archivio"));
    connect(storica, &QPushButton::clicked, this, &SpoglioPage::verificaStorica);
    QPushButton* chiudi = ui::chiudiButton(2);
    connect(chiudi, &QPushButton::clicked, this, &SpoglioPage::chiudiRequested);

    connect(runner_, &DevelopmentRunner::finished, this, &SpoglioPage::checkFinished);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    auto* drawnRow = new QHBoxLayout;
    drawnRow->addWidget(frame(QStringLiteral("Lista Numeri Estratti :"), list_, QStringLiteral("Frame10")), 1);
    drawnRow->addWidget(frame(QStringLiteral("SuperStar Estratto :"), drawnSuperStar_, QStringLiteral("FrameSuperStarEstratto")));
    layout->addLayout(drawnRow);
    layout->addLayout(ui::buttonRow({deseleziona, casuale, spoglio, vincenti, storica}, chiudi));
}

SpoglioPage::~SpoglioPage()
{
    runner_->stop();
}

bool SpoglioPage::isRunning() const
{
    return runner_->isRunning();
}

void SpoglioPage::stop()
{
    runner_->stop();
}

void SpoglioPage::clearResults()
{
    showCounts({});
    showStella({});
    caught_->clear();
    caughtCount_->setText(QStringLiteral("0"));
}

void SpoglioPage::newDevelopment()
{
    clearResults();
    // The history shown belongs to the development that is going.
    if (verifica_)
        verifica_->clear();
}

void SpoglioPage::gridClicked(int row, int column)
{
    const int number = PredictionGrid::numberAt(row, column);
    if (number == 0)
        return;
    if (drawn_.click(number) == DrawnCombination::Click::Refused) {
        Messages::show(this, QString::fromUtf8(kMsgMassimo7), MessageIcon::Exclamation);
        return;
    }
    showDrawn();
}

void SpoglioPage::deseleziona()
{
    drawn_.clear();
    showDrawn();
}

void SpoglioPage::colonnaCasuale()
{
    const std::array<int, 6> column = randomColumn();
    drawn_.setNumbers(std::vector<int>(column.begin(), column.end()));
    showDrawn();
}

void SpoglioPage::showDrawn()
{
    grid_->setUpdatesEnabled(false);
    const int bonus = drawn_.bonus();
    for (int n = 1; n <= 90; ++n) {
        if (!drawn_.isMarked(n))
            grid_->setNumberColour(n, PredictionGrid::freeColour());
        else
            grid_->setNumberColour(n, n == bonus ? kCyan : kRed);
    }
    grid_->setUpdatesEnabled(true);
    list_->setText(QString::fromStdString(drawn_.listText()));
}

bool SpoglioPage::hasDevelopment()
{
    if (hasColumns(document_.developed()))
        return true;
    Messages::show(this, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
    return false;
}

void SpoglioPage::spoglio(bool winningSlips)
{
    if (isRunning() || !hasDevelopment())
        return;
    const DevelopedSystem* developed = document_.developed();
    if (drawn_.empty()) {
        Messages::show(this, QString::fromUtf8(kMsgInserireElementiSortiti), MessageIcon::Exclamation);
        return;
    }
    if (!runner_->begin())
        return;

    clearResults();
    if (SchedineV* window = SchedineV::existing())
        window->clear();
    const std::vector<int> drawn = drawn_.numbers();
    const std::vector<int> caught = caughtNumbers(drawn, developed->pronostico);
    for (int n : caught)
        caught_->addItem(QString::number(n));
    if (!caught.empty()) {
        caught_->setCurrentIndex(0);
        caughtCount_->setText(QString::number(caught.size()));
    }
    emit checkStarted();

    winningSlips_ = winningSlips;
    stellaWon_ = superStarMatches(developed->superStar, drawnSuperStar_->currentIndex());
    auto result = std::make_shared<WinCheckResult>();
    result_ = result;
    const std::shared_ptr<const Development> development = developed->development;
    runner_->start(development->size(), [development, drawn, winningSlips, result](
                                            const std::atomic<bool>& interrupt, RunCounters& counters) {
        *result = checkWins(*development, drawn, winningSlips, interrupt, [&counters](std::uint64_t line) {
            counters.examined.store(line, std::memory_order_relaxed);
        });
    });
}

std::optional<DrawArchive> SpoglioPage::readArchive()
{
    ArchiveLoad load = loadDrawArchive(QFile::encodeName(archivePath_).toStdString());
    if (!load.ok()) {
        Messages::show(this, QString::fromStdString(load.error), MessageIcon::Critical);
        return std::nullopt;
    }
    return std::move(load.archive);
}

void SpoglioPage::verificaStorica()
{
    if (isRunning() || !hasDevelopment())
        return;
    const std::optional<DrawArchive> archive = readArchive();
    if (!archive)
        return;
    if (archive->empty()) {
        Messages::show(this, QString::fromUtf8(kMsgArchivioVuoto), MessageIcon::Exclamation);
        return;
    }
    if (!verifica_) {
        verifica_ = new VerificaStorica(this);
        connect(verifica_.data(), &VerificaStorica::verificaRequested, this, &SpoglioPage::verificaPeriodo);
    }
    verifica_->setArchiveDates(archive->draws().front().date, archive->draws().back().date);
    verifica_->clear();
    verifica_->show();
    verifica_->raise();
    checkHistoryOf(archive->draws());
}

void SpoglioPage::verificaPeriodo(int from, int to)
{
    if (isRunning() || !hasDevelopment())
        return;
    // Read again: the archive window may have changed it since.
    if (const std::optional<DrawArchive> archive = readArchive())
        checkHistoryOf(archive->between(from, to));
}

void SpoglioPage::checkHistoryOf(std::vector<Draw> period)
{
    if (!runner_->begin())
        return;
    emit checkStarted();
    auto draws = std::make_shared<const std::vector<Draw>>(std::move(period));
    auto result = std::make_shared<HistoryResult>();
    historyResult_ = result;
    const std::shared_ptr<const Development> development = document_.developed()->development;
    const int superStar = document_.developed()->superStar;
    runner_->start(development->size() + draws->size(), [development, draws, result, superStar](
                                                            const std::atomic<bool>& interrupt, RunCounters& counters) {
        *result = checkHistory(
            *development, *draws, interrupt,
            [&counters](std::uint64_t done) { counters.examined.store(done, std::memory_order_relaxed); }, superStar);
    });
}

void SpoglioPage::checkFinished(bool completed)
{
    if (historyResult_) {
        const std::shared_ptr<HistoryResult> history = std::move(historyResult_);
        if (verifica_) {
            history->interrupted = history->interrupted || !completed;
            verifica_->showResult(*history);
            verifica_->raise();
        }
        emit checkEnded();
        return;
    }
    const std::shared_ptr<WinCheckResult> result = std::move(result_);
    showCounts(result->counts);
    showStella(stellaWon_ ? result->stella : StellaCounts{});
    if (winningSlips_ && completed) {
        SchedineV* window = SchedineV::instance(this->window());
        window->setEntries(std::move(result->winners));
        window->show();
        window->raise();
        window->activateWindow();
    } else if (winningSlips_) {
        // Interrupted: an open list holds what was found, and no window opens.
        if (SchedineV* window = SchedineV::existing())
            window->setEntries(std::move(result->winners));
    }
    winningSlips_ = false;
    emit checkEnded();
}

void SpoglioPage::showCounts(const std::array<std::uint64_t, 6>& counts)
{
    for (std::size_t c = 0; c < counts_.size(); ++c)
        counts_[c]->setText(QString::number(counts[c]));
}

void SpoglioPage::showStella(const std::array<std::uint64_t, 8>& counts)
{
    for (std::size_t c = 0; c < stella_.size(); ++c)
        stella_[c]->setText(QString::number(counts[c]));
    const DevelopedSystem* developed = document_.developed();
    stellaFrame_->setVisible(developed && developed->superStar != 0);
}

} // namespace sestara
