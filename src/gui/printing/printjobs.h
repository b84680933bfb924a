#pragma once

#include "printing/pagelayouts.h"
#include "printing/printtarget.h"
#include "printing/slipgeometry.h"

#include <QString>

class QWidget;

namespace sestara {

struct DevelopedSystem;
struct Settings;

// The web address printed in the listing's header.
QString publisherWebAddress();

// What the printed pages say about a system, with today's date and the program's own names.
PrintInput printInput(const DevelopedSystem& system, const QString& caption, const QString& costText,
                      const Settings& settings);

// The listing on paper. Nothing developed: "Elaborare Sistema". The printer missing or failing:
// "Errore di Stampa" and the job cancelled. True when the pages went out (or the preview opened).
bool printListingJob(QWidget* parent, PrintTarget target, const DevelopedSystem* system, const QString& caption,
                     const QString& costText, const Settings& settings);

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
    bool printed = false;        // the pages went out (or the preview opened)
    bool endSlipMode = false;    // a slip page failed: the slips are no longer loaded
    MarkList marks;              // the marks to show from now on
};

// "Stampa " on the slips: with the slips loaded a range, every slip with the summary page, or the
// previewed slip; otherwise the marks placed by hand. A reversed range: "Cambiare l'intervallo di
// stampa". A slip page failing: "Problemi durante l'operazione di Stampa" and "verificare
// impostazioni stampante", the job cancelled and the slip mode ended; the window stays open.
// A preview or a PDF file leaves the window's marks as they are.
SlipPrintOutcome printSlipsJob(QWidget* parent, PrintTarget target, const SlipSelection& selection,
                               const DevelopedSystem* system, const QString& caption, const QString& costText,
                               const Settings& settings, const MarkList& marks);

} // namespace sestara
