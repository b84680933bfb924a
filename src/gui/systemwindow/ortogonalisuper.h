#pragma once

#include "core/document/systemdocument.h"
#include "gui/common/printtarget.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

class QTabWidget;

namespace sestara {

class ConditionsController;
class ConsigliaDialog;
struct AdviceCandidate;
class DevelopmentRunner;
class GaranzieWindow;
class PrintJobs;
class RunControl;
class SchedinaPage;
class SistemiPage;
class SpoglioPage;
class SviluppoPage;
struct ConditionDialogs;
struct Settings;
struct CustomDesign;

// A system window: it owns the document of one system and the tab control with its pages, wires
// them together and runs the development.
class OrtogonaliSuper : public QWidget {
    Q_OBJECT
public:
    OrtogonaliSuper(RunControl* runControl, const Settings& settings, const QString& dataDir,
                    QWidget* parent = nullptr);
    ~OrtogonaliSuper() override;

    // The window's index in the registry, also kept as its tag.
    int index() const { return index_; }
    void setIndex(int index);

    SystemDocument& document() { return document_; }
    const SystemDocument& document() const { return document_; }
    bool isRunning() const;
    // When the worker of the last run finished, to measure how soon the window shows the result.
    std::chrono::steady_clock::time_point lastWorkerEnd() const;

    // The window's own condition dialogs; each stores into this window when confirmed.
    void setConditionDialogs(const ConditionDialogs& dialogs);

    // "Elabora".
    void elabora();
    // Loads a system file into the window and develops it as "Elabora" does. A file that cannot
    // be read is reported, and the window keeps the state it reached: its conditions switched off.
    void caricaSistema(const QString& path);
    // The same, for a path as the file system holds its bytes (a name need not be UTF-8).
    void caricaSistema(const QByteArray& nativePath);
    // "Stampa" on "Sviluppo": the listing on paper, in a preview or in a PDF file.
    void stampaSviluppo(PrintTarget target);
    // "Stampa " on "Schedina": the slips chosen there, or the marks placed by hand.
    void stampaSchedine(PrintTarget target);
    // "Garanzie" on "Sviluppo": the guarantees of the developed system in the window's own
    // guarantees window, opened on first use.
    void garanzie();
    // The archive of draws the "Spoglio" tab checks the development against.
    void setDrawArchivePath(const QString& path);
    // The prediction replaced by these numbers (10 to 55), shown on "Sistemi"; false when refused.
    bool usaPronostico(const std::vector<int>& numbers);
    // "Consiglia…": the advice dialog for the prediction's count, opened on first use.
    void consiglia();
    // "Usa" of the advice: the system selected on "Sistemi", ready for "Elabora".
    void usaConsiglio(const AdviceCandidate& candidate);
    // Closes the window (its frame in the main window when it has one).
    void chiudi();
    // A design handed over by another window: held beside the catalogue as the last type of its
    // size, selected, shown on "Sistemi"; "Elabora" develops it. False while a run goes on.
    bool usaDisegno(CustomDesign design);
    // Where the systems made to measure are kept for the next identical request; none when empty.
    void setSuMisuraCachePath(const QString& path) { suMisuraCache_ = path; }

signals:
    // The window has been closed; its index is free again.
    void unloaded(int index);
    // A run has ended (completed or not) and the window shows its outcome.
    void runFinished(bool interrupted);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runEnded(bool completed);
    // "Su misura…" chosen: the dialog that asks for the guarantee.
    void scegliSuMisura();
    // The price of one column as this window plays it, in cents.
    std::uint64_t columnCents() const;

    SystemDocument document_;
    RunControl* runControl_ = nullptr;
    const Settings& settings_;
    QString dataDir_;
    int index_ = 0;
    bool unloaded_ = false;

    QTabWidget* tabs_ = nullptr;
    SistemiPage* sistemi_ = nullptr;
    SviluppoPage* sviluppo_ = nullptr;
    SpoglioPage* spoglio_ = nullptr;
    SchedinaPage* schedina_ = nullptr;
    ConditionsController* conditions_ = nullptr;
    DevelopmentRunner* runner_ = nullptr;
    PrintJobs* prints_ = nullptr;
    QPointer<GaranzieWindow> garanzie_;
    QPointer<ConsigliaDialog> consiglia_;
    // The run going on: what it develops, and its outcome, filled by the worker.
    std::shared_ptr<const DevelopmentPlan> runPlan_;
    ConditionSet runConditions_;
    int runSuperStar_ = 0;
    std::shared_ptr<RunResult> runResult_;
    // The design of the run going on when it is made to measure, made by the worker first.
    struct MadeDesign;
    std::shared_ptr<MadeDesign> runMade_;
    QString suMisuraCache_;
};

} // namespace sestara
