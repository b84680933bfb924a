#pragma once

#include "core/settings/settings.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace sestara {

class About;
class ArchivioEstrazioni;
class FiltroConsecutivi2;
class FiltroGruppi;
class FiltroPariDispari2;
class FiltroPresenzeSuper;
class FiltroSomma;
class FrmOptions;
class OrtogonaliSuper;
class RunControl;
class Sistemi;

// The main window: menus, tool bar, status bar and the system windows inside it. It keeps the
// registry of system windows and their condition dialogs, indexed from 1.
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    // dataDir is the folder of the data files, userDir the folder of the user's files (the
    // settings); empty means the ones the program finds.
    explicit MDIForm1(const QString& dataDir = QString(), const QString& userDir = QString(),
                      QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Opens a new system window at the lowest free index.
    OrtogonaliSuper* fileNewSuper();
    // Opens a system file in a new system window captioned with the file's name, and develops it.
    OrtogonaliSuper* apriSistema(const QString& path);
    // The same, for a path as the file system holds its bytes (a name need not be UTF-8).
    OrtogonaliSuper* apriSistema(const QByteArray& nativePath);
    // Opens the file in front, as the archive opens one, once the files queued before it have been
    // opened, no development is running and no message box is open: files that arrive together
    // open one after the other, and their messages come one at a time.
    void apriSistemaInCoda(const QByteArray& nativePath);
    // Opens the system files later copies of the program hand over at `socketPath` through the
    // queue; false when no file can be taken there.
    bool acceptHandedFiles(const QString& socketPath);
    // The lowest free index, growing the registry by one when none is free.
    int indiceLibero();

    // The registry: upper bound n, elements 1..n (null where not created or closed).
    int registryUpperBound() const { return static_cast<int>(finestreSistema_.size()) - 1; }
    OrtogonaliSuper* finestraSistema(int i) const;
    FiltroSomma* finestraSomma(int i) const;
    FiltroGruppi* finestraGruppi(int i) const;
    FiltroConsecutivi2* finestraConsecutivi(int i) const;
    FiltroPariDispari2* finestraPariDispari(int i) const;
    FiltroPresenzeSuper* finestraPresenze(int i) const;
    bool finestraLibera(int i) const;

    RunControl* runControl() const { return runControl_; }
    QString dataDir() const { return dataDir_; }
    // The settings every system window reads, and the file they are saved to.
    Settings& settings() { return settings_; }
    QString settingsPath() const { return settingsPath_; }

    // The close-all button: stops any run and closes every window but this one.
    void chiudiTutteLeFinestre();
    void showAbout();
    // The archive window, one at a time: shown, or brought to the front when already open.
    Sistemi* showArchivio();
    // The archive window when it is open, else null.
    Sistemi* archivio() const;
    // "Archivio Estrazioni", one at a time: shown, or brought to the front when already open.
    ArchivioEstrazioni* showArchivioEstrazioni();
    ArchivioEstrazioni* archivioEstrazioni() const;
    // The archive of draws in the user's files folder.
    QString drawArchivePath() const;
    // A new system window with the numbers as its prediction.
    OrtogonaliSuper* nuovoSistemaCon(const std::vector<int>& numbers);
    // "Impostazioni Schedina", one at a time: shown, or brought to the front when already open;
    // null when the settings file does not allow it (after the message).
    FrmOptions* showOptions();
    FrmOptions* options() const;
    // The system window in front, null when there is none.
    OrtogonaliSuper* activeSystemWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    void toggleToolBar();
    void closeOtherWindows();
    // The print entries for the system window in front.
    void createPrintMenu();
    void placeSubWindow(QMdiSubWindow* sub);
    void openQueuedFiles();

    void caricaIni(const QString& userDir);

    QString dataDir_;
    QString userDir_;
    Settings settings_;
    QString settingsPath_;
    RunControl* runControl_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar1_ = nullptr;
    QAction* mnuStrumenti_ = nullptr;
    QPointer<About> about_;
    QPointer<Sistemi> archivio_;
    QPointer<ArchivioEstrazioni> estrazioni_;
    QPointer<FrmOptions> options_;

    // Index 0 is never used; all arrays share one upper bound (sized in the constructor).
    std::vector<QPointer<OrtogonaliSuper>> finestreSistema_;
    std::vector<QPointer<FiltroSomma>> finestreSomma_;
    std::vector<QPointer<FiltroGruppi>> finestreGruppi_;
    std::vector<QPointer<FiltroConsecutivi2>> finestreConsecutivi_;
    std::vector<QPointer<FiltroPariDispari2>> finestrePariDispari_;
    std::vector<QPointer<FiltroPresenzeSuper>> finestrePresenze_;
    std::vector<bool> finestraLibera_;

    QList<QByteArray> queuedFiles_;
    bool openingQueuedFiles_ = false;
};

} // namespace sestara
