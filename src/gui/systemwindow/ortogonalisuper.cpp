#include "gui/systemwindow/ortogonalisuper.h"

#include "core/advice/advisor.h"
#include "core/design/sumisura.h"
#include "core/design/sumisuracache.h"
#include "core/development/developers.h"
#include "core/development/run.h"
#include "core/settings/settings.h"
#include "core/systemfiles/systemfile.h"
#include "core/util/text.h"
#include "gui/advice/consigliadialog.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/messages.h"
#include "gui/conditions/conditionscontroller.h"
#include "gui/development/sistemipage.h"
#include "gui/development/sumisuradialog.h"
#include "gui/development/sviluppopage.h"
#include "gui/guarantees/garanziewindow.h"
#include "gui/printing/printjobs.h"
#include "gui/printing/schedinapage.h"
#include "gui/wincheck/spogliopage.h"

#include <QCloseEvent>
#include <QFile>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace sestara {

namespace {
constexpr int kSviluppoTab = 1;

std::vector<Positions> positionsOf(const std::vector<Column>& columns)
{
    return std::vector<Positions>(columns.begin(), columns.end());
}

std::vector<Column> columnsOf(const std::vector<Positions>& positions)
{
    return std::vector<Column>(positions.begin(), positions.end());
}
} // namespace

// What the worker makes besides the development: the design made to measure (when `make`), and
// what the design reaches of the guarantee its entry text states.
struct OrtogonaliSuper::MadeDesign {
    bool make = false;
    SuMisuraRequest request;
    SuMisuraResult result;
    StatedShare share;
};

OrtogonaliSuper::OrtogonaliSuper(RunControl* runControl, const Settings& settings, const QString& dataDir,
                                 QWidget* parent)
    : QWidget(parent)
    , runControl_(runControl)
    , settings_(settings)
    , dataDir_(dataDir)
{
    setObjectName(QStringLiteral("OrtogonaliSuper"));

    sistemi_ = new SistemiPage(document_);
    sviluppo_ = new SviluppoPage(document_, settings_);
    spoglio_ = new SpoglioPage(document_, runControl);
    schedina_ = new SchedinaPage(settings_);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(sistemi_, QStringLiteral("Sistemi"));
    tabs_->addTab(sviluppo_, QStringLiteral("Sviluppo"));
    tabs_->addTab(spoglio_, QStringLiteral("Spoglio"));
    tabs_->addTab(schedina_, QStringLiteral("Schedina"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(tabs_);

    conditions_ = new ConditionsController(document_.conditions(), document_.prediction(), this);
    conditions_->setButtons(sistemi_->conditionButtons());
    runner_ = new DevelopmentRunner(runControl, this);
    prints_ = new PrintJobs(runControl, this);

    connect(sistemi_, &SistemiPage::elaboraRequested, this, &OrtogonaliSuper::elabora);
    connect(sistemi_, &SistemiPage::suMisuraChosen, this, &OrtogonaliSuper::scegliSuMisura);
    connect(sistemi_, &SistemiPage::consigliaRequested, this, &OrtogonaliSuper::consiglia);
    connect(sistemi_, &SistemiPage::annullaRequested, conditions_, &ConditionsController::annullaCondizioni);
    connect(sistemi_, &SistemiPage::predictionChanged, conditions_, &ConditionsController::refreshButtons);
    connect(sistemi_, &SistemiPage::chiudiRequested, this, &OrtogonaliSuper::chiudi);
    connect(sviluppo_, &SviluppoPage::chiudiRequested, this, &OrtogonaliSuper::chiudi);
    connect(sviluppo_, &SviluppoPage::saved, this, &QWidget::setWindowTitle);
    connect(spoglio_, &SpoglioPage::chiudiRequested, this, &OrtogonaliSuper::chiudi);
    connect(spoglio_, &SpoglioPage::checkStarted, tabs_, [this] { tabs_->setEnabled(false); });
    connect(spoglio_, &SpoglioPage::checkEnded, tabs_, [this] { tabs_->setEnabled(true); });
    connect(schedina_, &SchedinaPage::chiudiRequested, this, &OrtogonaliSuper::chiudi);
    connect(schedina_, &SchedinaPage::showRequested, this, [this] { tabs_->setCurrentWidget(schedina_); });
    connect(sviluppo_, &SviluppoPage::giocaSistemaRequested, this,
            [this] { schedina_->loadSlips(document_.developed()->development); });
    connect(sviluppo_, &SviluppoPage::giocaSistemaCancelled, schedina_, &SchedinaPage::endSlipMode);
    connect(sviluppo_, &SviluppoPage::stampaRequested, this, &OrtogonaliSuper::stampaSviluppo);
    connect(sviluppo_, &SviluppoPage::garanzieRequested, this, &OrtogonaliSuper::garanzie);
    connect(schedina_, &SchedinaPage::stampaRequested, this, &OrtogonaliSuper::stampaSchedine);
    connect(runner_, &DevelopmentRunner::progressed, sistemi_,
            [this](quint64, quint64 accepted) { sistemi_->showAccepted(accepted); });
    connect(runner_, &DevelopmentRunner::finished, this, &OrtogonaliSuper::runEnded);
    connect(prints_, &PrintJobs::runStarted, tabs_, [this] { tabs_->setEnabled(false); });
    connect(prints_, &PrintJobs::runEnded, tabs_, [this] { tabs_->setEnabled(true); });

    sistemi_->showDocument();
    conditions_->refreshButtons();
    tabs_->setCurrentIndex(0);
}

OrtogonaliSuper::~OrtogonaliSuper()
{
    runner_->stop();
    spoglio_->stop();
    prints_->stop();
    if (garanzie_)
        garanzie_->stop();
    if (consiglia_)
        consiglia_->stop();
}

void OrtogonaliSuper::setIndex(int index)
{
    index_ = index;
    setProperty("tag", QString::number(index));
}

bool OrtogonaliSuper::isRunning() const
{
    return runner_->isRunning() || spoglio_->isRunning() || prints_->isRunning() ||
           (garanzie_ && garanzie_->isRunning()) || (consiglia_ && consiglia_->isRunning());
}

std::chrono::steady_clock::time_point OrtogonaliSuper::lastWorkerEnd() const
{
    return runner_->lastWorkerEnd();
}

void OrtogonaliSuper::setConditionDialogs(const ConditionDialogs& dialogs)
{
    conditions_->setDialogs(dialogs);
}

void OrtogonaliSuper::scegliSuMisura()
{
    if (isRunning())
        return;
    auto* dialog = new SuMisuraDialog(static_cast<int>(numericValue(document_.selection().sizeText)),
                                      costoGiocataCents(1, columnPrices(settings_), document_.superStar() != 0),
                                      document_.suMisuraRequest(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &SuMisuraDialog::chosen, this, [this](const SuMisuraRequest& request) {
        document_.setSuMisuraRequest(request);
        sistemi_->showDocument();
    });
    dialog->open();
}

bool OrtogonaliSuper::usaDisegno(CustomDesign design)
{
    if (isRunning() || design.numbers < kMinPredictionSize || design.numbers > kMaxPredictionSize ||
        !validCustomColumns(design.columns, design.numbers))
        return false;
    document_.setCustomDesign(std::move(design));
    sistemi_->showDocument();
    return true;
}

void OrtogonaliSuper::elabora()
{
    if (isRunning())
        return;
    // A system made to measure: what was made before for the same request is taken back; a
    // request the bound refuses is refused at once.
    auto made = std::make_shared<MadeDesign>();
    if (const SuMisuraRequest* pending = document_.pendingRequest()) {
        made->request = *pending;
        made->request.dataFolder = dataDir_.toStdString();
        std::vector<Column> kept;
        if (!suMisuraCache_.isEmpty() &&
            findCachedDesign(QFile::encodeName(suMisuraCache_).toStdString(), made->request, kept)) {
            document_.setCustomColumns(positionsOf(kept));
        } else {
            const std::string refusal = suMisuraRefusal(made->request);
            if (!refusal.empty()) {
                Messages::show(this, QString::fromStdString(refusal), MessageIcon::Exclamation);
                return;
            }
            made->make = true;
        }
    }
    // Refusals (and a missing data file) are found before anything on the window changes.
    PlanOutcome outcome = document_.plan(dataDir_.toStdString());
    if (!outcome.ok()) {
        Messages::show(this, QString::fromStdString(outcome.refusal), MessageIcon::Exclamation);
        return;
    }
    if (!runner_->begin())
        return;

    document_.beginRun();
    if (garanzie_)
        garanzie_->developmentChanged();
    runConditions_ = document_.conditions();
    runSuperStar_ = document_.superStar();
    sviluppo_->clearForRun();
    spoglio_->newDevelopment();
    schedina_->clearSlips();
    sistemi_->showRunStarted();
    tabs_->setEnabled(false);
    conditions_->setLocked(true);

    auto plan = std::make_shared<const DevelopmentPlan>(std::move(outcome.plan));
    auto result = std::make_shared<RunResult>();
    runPlan_ = plan;
    runResult_ = result;
    runMade_ = made;
    const ConditionSet conditions = runConditions_;
    const bool custom = document_.customSelected();
    // A search first reports its share done in thousandths.
    constexpr std::uint64_t kSearchSteps = 1000;
    runner_->start(made->make ? kSearchSteps : plan->totalCandidates,
                   [plan, conditions, result, made, custom](const std::atomic<bool>& interrupt, RunCounters& counters) {
                       DevelopmentPlan own;
                       const DevelopmentPlan* run = plan.get();
                       if (made->make) {
                           made->result = makeSuMisura(made->request, interrupt, [&counters](double done) {
                               counters.examined.store(static_cast<std::uint64_t>(done * kSearchSteps),
                                                       std::memory_order_relaxed);
                           });
                           if (!made->result.ok()) {
                               result->status = RunStatus::Interrupted;
                               return;
                           }
                           own = *plan;
                           own.stored = positionsOf(made->result.columns);
                           own.totalCandidates = own.stored.size();
                           run = &own;
                       }
                       if (custom)
                           made->share = statedShare(run->entryText, columnsOf(run->stored));
                       *result = execute(*run, conditions, interrupt, [&counters, &made](const Progress& p) {
                           if (!made->make)
                               counters.examined.store(p.examined, std::memory_order_relaxed);
                           counters.accepted.store(p.accepted, std::memory_order_relaxed);
                       });
                   });
}

void OrtogonaliSuper::caricaSistema(const QString& path)
{
    caricaSistema(QFile::encodeName(path));
}

void OrtogonaliSuper::caricaSistema(const QByteArray& nativePath)
{
    if (isRunning())
        return;
    // The window's conditions go off first, as "Annulla Condizioni" does; the file's then replace them.
    conditions_->annullaCondizioni();
    const LoadOutcome loaded = readSystemFile(nativePath.toStdString());
    if (!loaded.ok()) {
        Messages::show(this,
                       QString::fromUtf8(kMsgErroreCaricamento) + QLatin1Char('\n') +
                           QString::fromStdString(loaded.error),
                       MessageIcon::Critical);
        return;
    }
    document_.load(loaded.system);
    sistemi_->showDocument();
    conditions_->refreshButtons();
    elabora();
}

void OrtogonaliSuper::setDrawArchivePath(const QString& path)
{
    spoglio_->setDrawArchivePath(path);
}

bool OrtogonaliSuper::usaPronostico(const std::vector<int>& numbers)
{
    if (isRunning() || !document_.setPrediction(numbers))
        return false;
    sistemi_->showDocument();
    conditions_->refreshButtons();
    return true;
}

void OrtogonaliSuper::runEnded(bool completed)
{
    const std::shared_ptr<const DevelopmentPlan> plan = std::move(runPlan_);
    const std::shared_ptr<RunResult> result = std::move(runResult_);
    const std::shared_ptr<MadeDesign> made = std::move(runMade_);
    completed = completed && result->status == RunStatus::Completed;
    if (made && made->make && made->result.ok()) {
        document_.setCustomColumns(positionsOf(made->result.columns));
        if (!suMisuraCache_.isEmpty())
            storeCachedDesign(QFile::encodeName(suMisuraCache_).toStdString(), made->request, made->result.columns);
    }
    if (completed) {
        DevelopedSystem developed;
        developed.entryText = plan->entryText;
        developed.pronostico = plan->pronostico;
        developed.conditions = runConditions_;
        developed.superStar = runSuperStar_;
        if (const CustomDesign* design = document_.customDesign(); design && document_.customSelected()) {
            developed.designColumns = design->columns;
            developed.guaranteeK = made->share.k;
            developed.guaranteeM = made->share.m;
            developed.guaranteeCovered = made->share.covered;
            developed.guaranteeTotal = made->share.total;
        }
        developed.development = std::make_shared<const Development>(std::move(result->development));
        document_.setDeveloped(std::move(developed));
        sviluppo_->showDeveloped();
        // The stella classes show for a system that plays SuperStar.
        spoglio_->clearResults();
    } else {
        document_.setInterrupted();
        sviluppo_->showInterrupted();
    }
    sistemi_->showRunEnded(completed);
    conditions_->setLocked(false);
    tabs_->setEnabled(true);
    tabs_->setCurrentIndex(kSviluppoTab);
    if (made && !made->result.error.empty())
        Messages::show(this, QString::fromStdString(made->result.error), MessageIcon::Exclamation);
    emit runFinished(!completed);
    // An open guarantees window follows the new development rather than stand empty.
    if (completed && garanzie_ && garanzie_->isVisible() && hasColumns(document_.developed()))
        garanzie();
}

void OrtogonaliSuper::stampaSviluppo(PrintTarget target)
{
    if (isRunning())
        return;
    prints_->printListing(target, document_.developed(), windowTitle(), sviluppo_->costText(), settings_);
}

void OrtogonaliSuper::stampaSchedine(PrintTarget target)
{
    if (isRunning())
        return;
    SlipSelection selection;
    selection.slipsLoaded = schedina_->schedineCaricate();
    selection.range = schedina_->intervallo();
    selection.slip = schedina_->selectedSlip();
    selection.rangeFirst = schedina_->rangeFrom();
    selection.rangeLast = schedina_->rangeTo();
    const bool allSlips = selection.slipsLoaded && !selection.range && selection.slip == 0;
    // The program moves the slip's panels while it prints: the choices stay inert meanwhile.
    const bool active = schedina_->selezioneAttiva();
    schedina_->setSelezioneAttiva(false);
    prints_->printSlips(target, selection, document_.developed(), windowTitle(), sviluppo_->costText(), settings_,
                        schedina_->marks(), [this, active, allSlips, target](const SlipPrintOutcome& outcome) {
                            schedina_->setSelezioneAttiva(active);
                            if (outcome.endSlipMode) {
                                schedina_->endSlipMode();
                                schedina_->setStatus(QString());
                            } else if (outcome.printed && allSlips && target == PrintTarget::Printer) {
                                schedina_->setStatus(QString());
                            }
                            schedina_->showMarks(outcome.marks);
                        });
}

void OrtogonaliSuper::garanzie()
{
    if (isRunning())
        return;
    const DevelopedSystem* developed = document_.developed();
    if (!hasColumns(developed)) {
        Messages::show(this, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
        return;
    }
    if (!garanzie_) {
        garanzie_ = new GaranzieWindow(runControl_, this);
        connect(garanzie_, &GaranzieWindow::analysisStarted, tabs_, [this] { tabs_->setEnabled(false); });
        connect(garanzie_, &GaranzieWindow::analysisEnded, tabs_, [this] { tabs_->setEnabled(true); });
        connect(garanzie_, &GaranzieWindow::aggiornaRequested, this, &OrtogonaliSuper::garanzie);
        connect(this, &QWidget::windowTitleChanged, garanzie_, &QWidget::setWindowTitle);
    }
    garanzie_->analyse(*developed, windowTitle());
}

std::uint64_t OrtogonaliSuper::columnCents() const
{
    // A column as the window plays it: with its SuperStar when one is chosen.
    return static_cast<std::uint64_t>(
        std::llround(costoGiocataCents(1, columnPrices(settings_), document_.superStar() != 0)));
}

void OrtogonaliSuper::consiglia()
{
    if (isRunning())
        return;
    const int count = document_.prediction().count();
    if (count < kMinPredictionSize || count > kMaxPredictionSize)
        return;
    // A dialog for another count, or another price, gives way to a new one.
    if (consiglia_)
        consiglia_->close();
    consiglia_ = new ConsigliaDialog(runControl_, this, count, columnCents(), dataDir_);
    consiglia_->setAttribute(Qt::WA_DeleteOnClose);
    connect(consiglia_, &ConsigliaDialog::usaRequested, this, &OrtogonaliSuper::usaConsiglio);
    consiglia_->show();
}

void OrtogonaliSuper::usaConsiglio(const AdviceCandidate& candidate)
{
    if (isRunning())
        return;
    const std::string size = candidate.entryText.substr(0, candidate.entryText.find(' '));
    if (size != std::to_string(document_.prediction().count())) {
        Messages::show(this, QString::fromUtf8(kMsgPronosticoCambiato), MessageIcon::Exclamation);
        return;
    }
    tabs_->setCurrentWidget(sistemi_);
    // A system the program made is held as a design beside the catalogue, as one made to measure.
    if (candidate.kind != CandidateKind::Catalogue) {
        usaDisegno(CustomDesign{candidate.entryText, document_.prediction().count(), candidate.design});
        return;
    }
    document_.selectSize(size);
    const std::vector<std::string>& types = document_.selection().types;
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i] == candidate.entryText)
            document_.selectType(static_cast<int>(i));
    sistemi_->showDocument();
}

void OrtogonaliSuper::chiudi()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void OrtogonaliSuper::closeEvent(QCloseEvent* event)
{
    // A run of this window ends here, before the window goes.
    runner_->stop();
    spoglio_->stop();
    prints_->stop();
    if (garanzie_) {
        garanzie_->stop();
        garanzie_->close();
    }
    if (consiglia_) {
        consiglia_->stop();
        consiglia_->close();
    }
    if (!unloaded_) {
        unloaded_ = true;
        emit unloaded(index_);
    }
    event->accept();
}

} // namespace sestara
