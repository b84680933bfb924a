#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;

namespace sestara {

class DevelopmentRunner;
class RunControl;
struct DevelopedSystem;
struct GuaranteeAnalysis;

// "Garanzie": what the developed system of one system window guarantees. A table gives, for h
// of the player's numbers drawn, the share of the h-sets whose best column makes each score and
// the lowest score reached; below it how often one draw wins at least k points, and whether
// the guarantee the system type states still holds after the conditions. The analysis runs off
// the interface thread, through a runner that shows "Loading" and takes the program's run slot.
class GaranzieWindow : public QWidget {
    Q_OBJECT
public:
    // A window of `systemWindow`, which also hosts the progress window and the messages.
    GaranzieWindow(RunControl* control, QWidget* systemWindow);
    ~GaranzieWindow() override;

    bool isRunning() const;
    // Ends an analysis at once, showing nothing of it.
    void stop();

    // Shows the window titled `caption` and analyses the system; refused with a message while
    // another run holds the program's slot, or when the system has no columns.
    void analyse(const DevelopedSystem& system, const QString& caption);
    // Empties the window: what it showed belongs to a development that is no more.
    void clear();
    // Empties the window and says so, offering "Aggiorna" to analyse the new development.
    void developmentChanged();

    // The table as shown, cells separated by tabs, lines by line feeds, the header line first.
    QString tableText() const;

signals:
    void analysisStarted();
    void analysisEnded();
    // "Aggiorna": the system window's development is to be analysed again.
    void aggiornaRequested();

private:
    void analysisFinished(bool completed);
    void showAnalysis(const GuaranteeAnalysis& analysis);
    void copia();

    QPointer<DevelopmentRunner> runner_;
    std::shared_ptr<GuaranteeAnalysis> result_;
    std::string entryText_;
    QTableWidget* table_ = nullptr;   // TabellaGaranzie
    std::array<QLabel*, 5> atLeast_{}; // Almeno2..Almeno6
    QLabel* guarantee_ = nullptr;      // LabelGaranzia
    QPushButton* aggiorna_ = nullptr;  // offered while no analysis is on show
};

} // namespace sestara
