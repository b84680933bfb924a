#pragma once

#include "core/advice/advisor.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace sestara {

class DevelopmentRunner;
class RunControl;

// "Consiglia…": for the prediction's count, a budget and a goal, the systems that fit the budget
// with how often each wins, best first. The advice runs off the interface thread through a runner
// ("Loading", "Interrompi"); "Usa" hands the chosen system to the system window.
class ConsigliaDialog : public QDialog {
    Q_OBJECT
public:
    // A dialog of `systemWindow`, which also hosts the progress window and the messages.
    ConsigliaDialog(RunControl* control, QWidget* systemWindow, int numbers, std::uint64_t columnCents,
                    const QString& dataDir);
    ~ConsigliaDialog() override;

    bool isRunning() const;
    // Ends a computation at once, showing nothing of it.
    void stop();

    // "Calcola".
    void calcola();
    // The candidate of the selected row; null when none is shown.
    const AdviceCandidate* chosen() const;

signals:
    // "Usa": the chosen system, for the window to select.
    void usaRequested(const sestara::AdviceCandidate& candidate);

private:
    void computationFinished(bool completed);
    void showAdvice();
    void usa();

    QPointer<DevelopmentRunner> runner_;
    int numbers_ = 0;
    std::uint64_t columnCents_ = 0;
    QString dataDir_;
    std::shared_ptr<Advice> result_;
    Advice shown_;
    int shownGoal_ = 3;
    QDoubleSpinBox* budget_ = nullptr; // Budget
    QComboBox* goal_ = nullptr;        // Obiettivo
    QPushButton* calcola_ = nullptr;   // Calcola
    QTableWidget* table_ = nullptr;    // TabellaConsigli
    QPushButton* usa_ = nullptr;       // Usa
};

} // namespace sestara
