#pragma once

#include "core/printing/pagelayouts.h"
#include "core/printing/slipgeometry.h"
#include "gui/common/printtarget.h"
#include "gui/printing/printdevices.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace sestara {

class DevelopmentRunner;
class RunControl;
struct DevelopedSystem;
struct Settings;

// The web address printed in the listing's header.
QString publisherWebAddress();

// What the printed pages say about a system, with today's date and the program's own names.
PrintInput printInput(const DevelopedSystem& system, const QString& caption, const QString& costText,
                      const Settings& settings);

// The slip lists of the window as the user left them when pressing "Stampa ".
struct SlipSelection {
    bool slipsLoaded = false; // the development was loaded as slips
    bool range = false;       // "Intervallo" checked
    int slip = 0;             // the entry of the slip list: 0 "TUTTE", k slip k
    int rangeFirst = 0;       // the entries of the range lists, 0 for slip 1
    int rangeLast = 0;
};

// What the window does after a slip print.
struct SlipPrintOutcome {
    bool printed = false;     // the pages went out (or the preview opened)
    bool endSlipMode = false; // a slip page failed: the slips are no longer loaded
    MarkList marks;           // the marks to show from now on
};

// The prints of one window. A print to the printer or to a PDF file runs off the interface thread
// under `Loading`, as one of the program's runs: "Interrompi" cancels the job (a PDF file is
// removed) without a message, and a failure shows its message once the run is over. While another
// run holds the program's slot such a print is refused before the user is asked anything. A
// preview opens at once and draws at most kPreviewPages pages.
class PrintJobs : public QObject {
    Q_OBJECT
public:
    using SlipsDone = std::function<void(const SlipPrintOutcome&)>;

    PrintJobs(RunControl* control, QWidget* window);
    ~PrintJobs() override;

    bool isRunning() const;
    // Ends a running print at once, as closing the window does; nothing follows it.
    void stop();

    // The listing on paper. Nothing developed: "Elaborare Sistema". The printer missing or
    // failing: "Errore di Stampa" and the job cancelled.
    void printListing(PrintTarget target, const DevelopedSystem* system, const QString& caption,
                      const QString& costText, const Settings& settings);

    // "Stampa " on the slips: with the slips loaded a range, every slip with the summary page, or
    // the previewed slip; otherwise the marks placed by hand. A reversed range: "Cambiare
    // l'intervallo di stampa". A slip page failing: "Problemi durante l'operazione di Stampa" and
    // "verificare impostazioni stampante", the job cancelled and the slip mode ended. A preview or
    // a PDF file leaves the marks as they are. `done` follows on the interface thread once the
    // print is over, or at once when nothing runs; not after stop().
    void printSlips(PrintTarget target, const SlipSelection& selection, const DevelopedSystem* system,
                    const QString& caption, const QString& costText, const Settings& settings, const MarkList& marks,
                    SlipsDone done);

signals:
    // A print runs off the interface thread; the window stays inert until it ends.
    void runStarted();
    void runEnded();

private:
    struct Run;
    bool refusedWhileBusy(PrintTarget target) const;
    void start(std::shared_ptr<Run> run, std::uint64_t pages);
    void runFinished(bool completed);

    QPointer<RunControl> control_;
    DevelopmentRunner* runner_ = nullptr;
    QWidget* window_ = nullptr;
    std::shared_ptr<Run> run_;
};

} // namespace sestara
