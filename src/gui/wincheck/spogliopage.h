#pragma once

#include "core/draws/drawarchive.h"
#include "core/wincheck/drawncombination.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;

namespace sestara {

class DevelopmentRunner;
class PredictionGrid;
class RunControl;
class SystemDocument;
class VerificaStorica;
struct HistoryResult;
struct WinCheckResult;

// The "Spoglio" tab: the drawn combination, and the check of the document's development against
// it, counted by prize class, with the winning slips listed on request.
class SpoglioPage : public QWidget {
    Q_OBJECT
public:
    SpoglioPage(const SystemDocument& document, RunControl* runControl, QWidget* parent = nullptr);
    ~SpoglioPage() override;

    const DrawnCombination& drawn() const { return drawn_; }
    bool isRunning() const;
    // Ends a check at once, without showing its outcome.
    void stop();
    // The counts and the caught numbers back to nothing.
    void clearResults();
    // A new development: the results above and those of "Verifica Storica" go.
    void newDevelopment();

    // The archive of draws "Verifica Storica" reads.
    void setDrawArchivePath(const QString& path) { archivePath_ = path; }
    // "Verifica Storica": the window with the period, and the check over the whole archive.
    void verificaStorica();
    // The check against the archive's draws from `from` to `to`, both included.
    void verificaPeriodo(int from, int to);

signals:
    void chiudiRequested();
    // A check has taken the run slot, and has ended (the tab control goes off and on with it).
    void checkStarted();
    void checkEnded();

private:
    void gridClicked(int row, int column);
    void deseleziona();
    void colonnaCasuale();
    void showDrawn();
    // "Spoglio", and with `winningSlips` "Schedine Vincenti".
    void spoglio(bool winningSlips);
    void checkFinished(bool completed);
    void showCounts(const std::array<std::uint64_t, 6>& counts);
    // The stella classes: shown for a system that plays SuperStar.
    void showStella(const std::array<std::uint64_t, 8>& counts);

    // The developed system to check, after the message when there is none.
    bool hasDevelopment();
    // The archive of draws, or nothing after the message saying why it cannot be read.
    std::optional<DrawArchive> readArchive();
    // The development against these draws, through the page's runner.
    void checkHistoryOf(std::vector<Draw> period);

    const SystemDocument& document_;
    DrawnCombination drawn_;
    DevelopmentRunner* runner_ = nullptr;
    std::shared_ptr<WinCheckResult> result_;
    std::shared_ptr<HistoryResult> historyResult_;
    QString archivePath_;
    QPointer<VerificaStorica> verifica_;
    bool winningSlips_ = false;
    bool stellaWon_ = false; // the check's drawn SuperStar is the system's

    PredictionGrid* grid_ = nullptr;       // MSFlexGrid2
    QLabel* list_ = nullptr;               // Label5
    std::array<QLabel*, 6> counts_{};      // Label6_0..5
    QComboBox* drawnSuperStar_ = nullptr;  // the SuperStar drawn, index 0 for none
    QWidget* stellaFrame_ = nullptr;
    std::array<QLabel*, 8> stella_{};      // "0 stella" .. "6 stella"
    QComboBox* caught_ = nullptr;          // Combo5
    QLabel* caughtCount_ = nullptr;        // Label9
};

} // namespace sestara
