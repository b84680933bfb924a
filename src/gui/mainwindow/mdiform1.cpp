#include "gui/mainwindow/mdiform1.h"

#include "core/design/sumisuracache.h"
#include "core/draws/drawarchive.h"
#include "gui/common/appinfo.h"
#include "gui/common/icons.h"
#include "gui/common/messages.h"
#include "gui/common/runcontrol.h"
#include "gui/conditions/conditionscontroller.h"
#include "gui/conditions/filtroconsecutivi2.h"
#include "gui/conditions/filtrogruppi.h"
#include "gui/conditions/filtroparidispari2.h"
#include "gui/conditions/filtropresenzesuper.h"
#include "gui/conditions/filtrosomma.h"
#include "gui/draws/archivioestrazioni.h"
#include "gui/mainwindow/about.h"
#include "gui/mainwindow/filehandoff.h"
#include "gui/mainwindow/startup.h"
#include "gui/settings/frmoptions.h"
#include "gui/systemfiles/sistemi.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace sestara {

namespace {

template <typename T>
T* at(const std::vector<QPointer<T>>& v, int i)
{
    if (i < 1 || i >= static_cast<int>(v.size()))
        return nullptr;
    return v[static_cast<std::size_t>(i)].data();
}

template <typename T>
void tag(T* w, int i)
{
    w->setProperty("tag", QString::number(i));
}

} // namespace

MDIForm1::MDIForm1(const QString& dataDir, const QString& userDir, QWidget* parent)
    : QMainWindow(parent)
    , dataDir_(dataDir.isEmpty() ? appinfo::dataFolder() : dataDir)
    , runControl_(new RunControl(this))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(appinfo::mainWindowCaption());
    setWindowIcon(QIcon::fromTheme(QStringLiteral("sestara"), toolbarIcon(QStringLiteral("new"))));

    finestreSistema_.resize(1);
    finestreSomma_.resize(1);
    finestreGruppi_.resize(1);
    finestreConsecutivi_.resize(1);
    finestrePariDispari_.resize(1);
    finestrePresenze_.resize(1);
    finestraLibera_.resize(1, false);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    createMenus();
    createToolBar();

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(status);

    // As large as the screen allows, up to the size the system windows are laid out for.
    QSize size(1040, 800);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableSize());
    resize(size);

    userDir_ = userDir.isEmpty() ? appinfo::userFolder() : userDir;
    caricaIni(userDir_);
}

void MDIForm1::caricaIni(const QString& userDir)
{
    const StartSettings start = sestara::caricaIni(userDir, dataDir_);
    settingsPath_ = start.path;
    settings_ = start.reading.settings;
    if (start.reading.ok())
        return;
    // Said once, when the window is up; the settings in doubt hold their "Predefiniti" values and
    // the file stays as it is until the user applies new ones.
    const QString text = FrmOptions::errorText(QString::fromStdString(start.reading.problem), start.path);
    QTimer::singleShot(0, this, [this, text] { Messages::show(this, text, MessageIcon::Critical); });
}

MDIForm1::~MDIForm1()
{
    // A run still going must end before the windows it reports to disappear.
    runControl_->interrompi();
    if (about_)
        delete about_.data();
    if (options_)
        delete options_.data();
}

void MDIForm1::createMenus()
{
    QMenuBar* bar = menuBar();

    auto* mnuFile = bar->addAction(QStringLiteral("Esci"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(mnuFile, &QAction::triggered, this, &MDIForm1::close);

    auto* mnuNew = bar->addAction(QStringLiteral("Nuovo Sistema"));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    connect(mnuNew, &QAction::triggered, this, [this] { fileNewSuper(); });

    auto* mnuArchivio = bar->addAction(QStringLiteral("Archivio Sistemi"));
    mnuArchivio->setObjectName(QStringLiteral("mnuArchivio"));
    connect(mnuArchivio, &QAction::triggered, this, [this] { showArchivio(); });

    auto* mnuEstrazioni = bar->addAction(QStringLiteral("Archivio Estrazioni"));
    mnuEstrazioni->setObjectName(QStringLiteral("mnuEstrazioni"));
    connect(mnuEstrazioni, &QAction::triggered, this, [this] { showArchivioEstrazioni(); });

    createPrintMenu();

    QMenu* mnuImpostazioni = bar->addMenu(QStringLiteral("Opzioni"));
    mnuImpostazioni->setObjectName(QStringLiteral("mnuImpostazioni"));
    QAction* mnuOpzioni = mnuImpostazioni->addAction(QStringLiteral("Imposta Schedina"));
    mnuOpzioni->setObjectName(QStringLiteral("mnuOpzioni"));
    connect(mnuOpzioni, &QAction::triggered, this, [this] { showOptions(); });
    mnuStrumenti_ = mnuImpostazioni->addAction(QStringLiteral("Barra Strumenti"));
    mnuStrumenti_->setObjectName(QStringLiteral("mnuStrumenti"));
    mnuStrumenti_->setCheckable(true);
    mnuStrumenti_->setChecked(true);
    connect(mnuStrumenti_, &QAction::triggered, this, &MDIForm1::toggleToolBar);

    auto* mnuInfo = bar->addAction(QStringLiteral("About Sestara..."));
    mnuInfo->setObjectName(QStringLiteral("mnuInfo"));
    connect(mnuInfo, &QAction::triggered, this, &MDIForm1::showAbout);
}

void MDIForm1::createPrintMenu()
{
    QMenu* mnuStampa = menuBar()->addMenu(QStringLiteral("Stampa"));
    mnuStampa->setObjectName(QStringLiteral("mnuStampa"));
    struct Entry {
        const char* name;
        const char* caption;
        bool slips;
        PrintTarget target;
    };
    const Entry entries[] = {
        {"mnuStampaSviluppo", "Stampa Sviluppo", false, PrintTarget::Printer},
        {"mnuAnteprimaSviluppo", "Anteprima Sviluppo", false, PrintTarget::Preview},
        {"mnuPdfSviluppo", "Esporta Sviluppo in PDF", false, PrintTarget::Pdf},
        {"mnuStampaSchedine", "Stampa Schedine", true, PrintTarget::Printer},
        {"mnuAnteprimaSchedine", "Anteprima Schedine", true, PrintTarget::Preview},
        {"mnuPdfSchedine", "Esporta Schedine in PDF", true, PrintTarget::Pdf},
    };
    for (const Entry& e : entries) {
        if (e.slips && e.target == PrintTarget::Printer)
            mnuStampa->addSeparator();
        QAction* a = mnuStampa->addAction(QString::fromUtf8(e.caption));
        a->setObjectName(QString::fromLatin1(e.name));
        connect(a, &QAction::triggered, this, [this, slips = e.slips, target = e.target] {
            if (OrtogonaliSuper* w = activeSystemWindow())
                slips ? w->stampaSchedine(target) : w->stampaSviluppo(target);
        });
    }
    // The entries act on the system window in front; without one they are off.
    connect(mnuStampa, &QMenu::aboutToShow, this, [this, mnuStampa] {
        const bool enabled = activeSystemWindow() != nullptr;
        for (QAction* a : mnuStampa->actions())
            a->setEnabled(enabled);
    });
}

OrtogonaliSuper* MDIForm1::activeSystemWindow() const
{
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    return sub ? qobject_cast<OrtogonaliSuper*>(sub->widget()) : nullptr;
}

void MDIForm1::createToolBar()
{
    toolbar1_ = new QToolBar(this);
    toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1_->setMovable(false);
    toolbar1_->setFloatable(false);
    toolbar1_->setIconSize(QSize(24, 24));
    toolbar1_->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, toolbar1_);

    struct Button {
        const char* key;
        const char* tip;
    };
    const Button buttons[] = {
        {"esci", "Chiudi Sestara"},
        {"new", "Nuovo Sistema"},
        {"archivio", "Archivio Sistemi"},
        {"estrazioni", "Archivio Estrazioni"},
        {"opzioni", "Impostazioni Schedina"},
        {"window", "Chiudi tutte le finestre"},
    };
    for (const Button& b : buttons) {
        QAction* a = toolbar1_->addAction(toolbarIcon(QString::fromLatin1(b.key)), QString::fromUtf8(b.tip));
        a->setObjectName(QString::fromLatin1(b.key));
        a->setData(QString::fromLatin1(b.key));
        a->setToolTip(QString::fromUtf8(b.tip));
    }
    connect(toolbar1_, &QToolBar::actionTriggered, this, [this](QAction* a) {
        const QString key = a->data().toString();
        if (key == QLatin1String("esci"))
            close();
        else if (key == QLatin1String("new"))
            fileNewSuper();
        else if (key == QLatin1String("archivio"))
            showArchivio();
        else if (key == QLatin1String("estrazioni"))
            showArchivioEstrazioni();
        else if (key == QLatin1String("opzioni"))
            showOptions();
        else if (key == QLatin1String("window"))
            chiudiTutteLeFinestre();
    });
}

void MDIForm1::toggleToolBar()
{
    if (!toolbar1_->isHidden()) {
        toolbar1_->setVisible(false);
        mnuStrumenti_->setChecked(false);
    } else {
        mnuStrumenti_->setChecked(true);
        toolbar1_->setVisible(true);
    }
}

int MDIForm1::indiceLibero()
{
    const int n = registryUpperBound();
    for (int i = 1; i <= n; ++i) {
        if (finestraLibera_[static_cast<std::size_t>(i)]) {
            finestraLibera_[static_cast<std::size_t>(i)] = false;
            return i;
        }
    }
    finestreSistema_.emplace_back();
    finestreSomma_.emplace_back();
    finestreGruppi_.emplace_back();
    finestreConsecutivi_.emplace_back();
    finestrePariDispari_.emplace_back();
    finestrePresenze_.emplace_back();
    finestraLibera_.push_back(false);
    return n + 1;
}

OrtogonaliSuper* MDIForm1::fileNewSuper()
{
    const int i = indiceLibero();
    const auto slot = static_cast<std::size_t>(i);

    OrtogonaliSuper* w = finestreSistema_[slot].data();
    if (!w) {
        w = new OrtogonaliSuper(runControl_, settings_, dataDir_);
        w->setDrawArchivePath(drawArchivePath());
        w->setSuMisuraCachePath(QDir(userDir_).filePath(QString::fromUtf8(kSuMisuraCacheFileName)));
        finestreSistema_[slot] = w;
        QMdiSubWindow* sub = mdiArea_->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(windowIcon());
        placeSubWindow(sub);
        connect(w, &OrtogonaliSuper::unloaded, this, [this](int index) {
            if (index >= 1 && index < static_cast<int>(finestraLibera_.size()))
                finestraLibera_[static_cast<std::size_t>(index)] = true;
        });
    }
    w->setIndex(i);
    w->setWindowTitle(QStringLiteral("Sistema ") + QString::number(i));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        sub->show();
        mdiArea_->setActiveSubWindow(sub);
    }
    w->show();

    if (!finestreSomma_[slot])
        finestreSomma_[slot] = new FiltroSomma(this);
    tag(finestreSomma_[slot].data(), i);
    if (!finestreGruppi_[slot])
        finestreGruppi_[slot] = new FiltroGruppi(this);
    tag(finestreGruppi_[slot].data(), i);
    if (!finestreConsecutivi_[slot])
        finestreConsecutivi_[slot] = new FiltroConsecutivi2(this);
    tag(finestreConsecutivi_[slot].data(), i);
    if (!finestrePariDispari_[slot])
        finestrePariDispari_[slot] = new FiltroPariDispari2(this);
    tag(finestrePariDispari_[slot].data(), i);
    if (!finestrePresenze_[slot])
        finestrePresenze_[slot] = new FiltroPresenzeSuper(this);
    tag(finestrePresenze_[slot].data(), i);
    w->setConditionDialogs({finestrePresenze_[slot], finestrePariDispari_[slot], finestreConsecutivi_[slot],
                            finestreSomma_[slot], finestreGruppi_[slot]});
    return w;
}

OrtogonaliSuper* MDIForm1::apriSistema(const QString& path)
{
    OrtogonaliSuper* w = fileNewSuper();
    w->setWindowTitle(QFileInfo(path).fileName());
    w->caricaSistema(path);
    return w;
}

bool MDIForm1::acceptHandedFiles(const QString& socketPath)
{
    auto* handoff = new FileHandoff(this);
    connect(handoff, &FileHandoff::fileReceived, this, [this](const QString& path) {
        // The program comes to the front with the new window, as it was (maximised or not).
        setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
        apriSistema(path);
    });
    return handoff->listen(socketPath);
}

void MDIForm1::placeSubWindow(QMdiSubWindow* sub)
{
    // Each new window a step down and right of the one before, and never larger than the area
    // left from there, so every control stays in view.
    constexpr int kStep = 24;
    const QSize area = mdiArea_->viewport()->size();
    const QSize wanted = sub->sizeHint().expandedTo(QSize(960, 660));
    const int step = kStep * (static_cast<int>(mdiArea_->subWindowList().size() - 1) % 5);
    QPoint at(step, step);
    QSize room = area - QSize(at.x(), at.y());
    if (room.width() < sub->minimumSizeHint().width() || room.height() < sub->minimumSizeHint().height()) {
        at = QPoint(0, 0);
        room = area;
    }
    sub->setGeometry(QRect(at, wanted.boundedTo(room).expandedTo(sub->minimumSizeHint())));
}

OrtogonaliSuper* MDIForm1::finestraSistema(int i) const
{
    return at(finestreSistema_, i);
}

FiltroSomma* MDIForm1::finestraSomma(int i) const
{
    return at(finestreSomma_, i);
}

FiltroGruppi* MDIForm1::finestraGruppi(int i) const
{
    return at(finestreGruppi_, i);
}

FiltroConsecutivi2* MDIForm1::finestraConsecutivi(int i) const
{
    return at(finestreConsecutivi_, i);
}

FiltroPariDispari2* MDIForm1::finestraPariDispari(int i) const
{
    return at(finestrePariDispari_, i);
}

FiltroPresenzeSuper* MDIForm1::finestraPresenze(int i) const
{
    return at(finestrePresenze_, i);
}

bool MDIForm1::finestraLibera(int i) const
{
    if (i < 1 || i >= static_cast<int>(finestraLibera_.size()))
        return false;
    return finestraLibera_[static_cast<std::size_t>(i)];
}

void MDIForm1::showAbout()
{
    if (about_) {
        about_->raise();
        about_->activateWindow();
        return;
    }
    about_ = new About(this);
    about_->show();
}

Sistemi* MDIForm1::archivio() const
{
    return archivio_.data();
}

Sistemi* MDIForm1::showArchivio()
{
    if (archivio_) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(archivio_->parentWidget())) {
            sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        }
        archivio_->raise();
        return archivio_.data();
    }
    archivio_ = new Sistemi;
    connect(archivio_.data(), &Sistemi::sistemaRichiesto, this, [this](const QString& path) { apriSistema(path); });
    QMdiSubWindow* sub = mdiArea_->addSubWindow(archivio_.data());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(toolbarIcon(QStringLiteral("archivio")));
    // Inside the work area whatever windows are open, not placed after the last of them.
    sub->setGeometry(QRect(QPoint(0, 0), archivio_->size().boundedTo(mdiArea_->viewport()->size())));
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    return archivio_.data();
}

QString MDIForm1::drawArchivePath() const
{
    return QDir(userDir_).filePath(QString::fromLatin1(kDrawArchiveFileName));
}

ArchivioEstrazioni* MDIForm1::archivioEstrazioni() const
{
    return estrazioni_.data();
}

ArchivioEstrazioni* MDIForm1::showArchivioEstrazioni()
{
    if (estrazioni_) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(estrazioni_->parentWidget())) {
            sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        }
        estrazioni_->raise();
        return estrazioni_.data();
    }
    estrazioni_ = new ArchivioEstrazioni(drawArchivePath());
    connect(estrazioni_.data(), &ArchivioEstrazioni::pronosticoRichiesto, this,
            [this](const QVector<int>& numbers) { nuovoSistemaCon(std::vector<int>(numbers.begin(), numbers.end())); });
    QMdiSubWindow* sub = mdiArea_->addSubWindow(estrazioni_.data());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(toolbarIcon(QStringLiteral("estrazioni")));
    sub->setGeometry(QRect(QPoint(0, 0), estrazioni_->size().boundedTo(mdiArea_->viewport()->size())));
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    return estrazioni_.data();
}

OrtogonaliSuper* MDIForm1::nuovoSistemaCon(const std::vector<int>& numbers)
{
    OrtogonaliSuper* w = fileNewSuper();
    w->usaPronostico(numbers);
    return w;
}

FrmOptions* MDIForm1::options() const
{
    return options_.data();
}

FrmOptions* MDIForm1::showOptions()
{
    if (options_) {
        options_->raise();
        options_->activateWindow();
        return options_.data();
    }
    options_ = FrmOptions::open(this, settings_, settingsPath_);
    return options_.data();
}

void MDIForm1::chiudiTutteLeFinestre()
{
    runControl_->interrompi();
    closeOtherWindows();
}

void MDIForm1::closeOtherWindows()
{
    // System windows first: each one ends its own run before it goes.
    mdiArea_->closeAllSubWindows();
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w == this || !w->isVisible())
            continue;
        // Only this program's windows: children of this one, the about box or the settings.
        if (w != about_.data() && w != options_.data() && w->parentWidget() != this)
            continue;
        w->close();
    }
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    runControl_->interrompi();
    closeOtherWindows();
    event->accept();
}

} // namespace sestara
