#include "gui/systemfiles/sistemi.h"

#include "core/systemfiles/archive.h"
#include "gui/common/appinfo.h"
#include "gui/common/icons.h"
#include "gui/common/messages.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace sestara {
namespace {

const char kTitle[] = "Archivio Sistemi Super Enalotto";
const char kAskVisualizza[] = "Visualizzare Sistema Nominato : ";
const char kAskElimina[] = "Eliminare Sistema Nominato : ";
const char kAskSvuota[] = "Eliminare Tutti i Sistemi Presenti in Archivio ?";

QString cleanFolder(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The system files of a folder, as a person sorts them.
QStringList systemFilesIn(const QString& folder)
{
    const QStringList all = QDir(folder).entryList(QDir::Files, QDir::Unsorted);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(all.size()));
    for (const QString& name : all) {
        std::string utf8 = name.toStdString();
        if (isSystemFileName(utf8))
            names.push_back(std::move(utf8));
    }
    sortNaturally(names);
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        sorted << QString::fromStdString(name);
    return sorted;
}

// Into the desktop trash where the system keeps one for that file; deleted where it has none.
void discard(const QString& path)
{
    if (!QFile::moveToTrash(path))
        QFile::remove(path);
}

bool confirmed(QWidget* parent, const QString& question)
{
    return Messages::show(parent, question, MessageIcon::None, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace

Sistemi::Sistemi(QWidget* parent)
    : QWidget(parent)
    , watcher_(new QFileSystemWatcher(this))
    , refresh_(new QTimer(this))
{
    setObjectName(QStringLiteral("Sistemi"));
    setWindowTitle(QString::fromUtf8(kTitle));

    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("LabelCartella"));
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        apriSelezionato();
    });

    auto* frame1 = new QGroupBox(QStringLiteral("Gestione Archivio :"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* buttons = new QVBoxLayout(frame1);
    struct Button {
        const char* caption;
        const char* tip;
        void (Sistemi::*action)();
    };
    const Button command1[] = {
        {"Svuota Archivio", "Elimina tutti i sistemi presenti in archivio", &Sistemi::svuotaArchivio},
        {"Elimina Sistema", "Elimina il sistema selezionato", &Sistemi::eliminaSistema},
        {"Visualizza Sistema", "Richiama il sistema selezionato", &Sistemi::visualizzaSistema},
        {"Chiudi", "Chiudi Finestra", &Sistemi::chiudi},
    };
    int element = 0;
    for (const Button& b : command1) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), frame1);
        button->setObjectName(QStringLiteral("Command1_%1").arg(element++));
        button->setToolTip(QString::fromUtf8(b.tip));
        connect(button, &QPushButton::clicked, this, b.action);
        buttons->addWidget(button);
    }

    auto* frame2 = new QGroupBox(QStringLiteral("Cambia Cartella"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderModel_->setReadOnly(true);
    folderModel_->setRootPath(QDir::rootPath());
    folders_ = new QTreeView(frame2);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setModel(folderModel_);
    folders_->setHeaderHidden(true);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        folders_->hideColumn(column);
    folders_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    setFolder(folderModel_->filePath(current));
            });
    // The tree fills in as folders are read, and each folder read above the current one moves it:
    // it is shown again once the model has sorted what it read.
    connect(folderModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        const QString above = QDir(path).absolutePath();
        if (folder_ == above || folder_.startsWith(above.endsWith(QLatin1Char('/')) ? above : above + QLatin1Char('/')))
            QTimer::singleShot(50, this, &Sistemi::showFolderInChooser);
    });
    auto* chooser = new QVBoxLayout(frame2);
    chooser->addWidget(folders_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame1);
    bottom->addWidget(frame2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderLabel_);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    refresh_->setSingleShot(true);
    refresh_->setInterval(50);
    connect(refresh_, &QTimer::timeout, this, &Sistemi::aggiornaArchivio);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, refresh_, qOverload<>(&QTimer::start));

    resize(620, 480);
    setFolder(appinfo::systemsFolder());
}

Sistemi::~Sistemi() = default;

void Sistemi::setFolder(const QString& path)
{
    const QString folder = cleanFolder(path);
    if (folder == folder_)
        return;
    folder_ = folder;
    folderLabel_->setText(QDir::toNativeSeparators(folder_));
    watchFolder();
    aggiornaArchivio();
    showFolderInChooser();
}

void Sistemi::watchFolder()
{
    const QStringList watched = watcher_->directories();
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    if (QFileInfo(folder_).isDir())
        watcher_->addPath(folder_);
}

void Sistemi::showFolderInChooser()
{
    const QModelIndex index = folderModel_->index(folder_);
    if (!index.isValid())
        return;
    if (folders_->currentIndex() != index)
        folders_->setCurrentIndex(index);
    folders_->scrollTo(index);
}

void Sistemi::aggiornaArchivio()
{
    refresh_->stop();
    const QStringList names = systemFilesIn(folder_);
    // Activation comes often (every click into an inactive window): an unchanged folder keeps the
    // list as it is, with its selection and the item under the pointer.
    if (names == shown_)
        return;
    shown_ = names;
    const QString keep = selectedName();
    const QIcon icon = toolbarIcon(QStringLiteral("archivio"));

    list_->setUpdatesEnabled(false);
    list_->clear();
    int current = 0;
    for (int row = 0; row < names.size(); ++row) {
        list_->addItem(new QListWidgetItem(icon, names[row]));
        if (names[row] == keep)
            current = row;
    }
    if (list_->count() > 0)
        list_->setCurrentRow(current);
    list_->setUpdatesEnabled(true);
}

QStringList Sistemi::entries() const
{
    QStringList texts;
    texts.reserve(list_->count());
    for (int row = 0; row < list_->count(); ++row)
        texts << list_->item(row)->text();
    return texts;
}

QString Sistemi::selectedName() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text() : QString();
}

QString Sistemi::pathOf(const QString& name) const
{
    return QDir(folder_).filePath(name);
}

void Sistemi::visualizzaSistema()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (confirmed(this, QString::fromUtf8(kAskVisualizza) + name))
        emit sistemaRichiesto(pathOf(name));
}

void Sistemi::apriSelezionato()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        emit sistemaRichiesto(pathOf(name));
}

void Sistemi::eliminaSistema()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (!confirmed(this, QString::fromUtf8(kAskElimina) + name))
        return;
    discard(pathOf(name));
    aggiornaArchivio();
}

void Sistemi::svuotaArchivio()
{
    if (list_->count() == 0)
        return;
    if (!confirmed(this, QString::fromUtf8(kAskSvuota)))
        return;
    // The folder as it is now, which may hold more than the list showed a moment ago.
    for (const QString& name : systemFilesIn(folder_))
        discard(pathOf(name));
    aggiornaArchivio();
}

void Sistemi::chiudi()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

bool Sistemi::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        aggiornaArchivio();
    return QWidget::event(event);
}

void Sistemi::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Inside the main window the frame is what gets activated: follow it.
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && !followingFrame_) {
        followingFrame_ = true;
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                        aggiornaArchivio();
                });
    }
}

} // namespace sestara
