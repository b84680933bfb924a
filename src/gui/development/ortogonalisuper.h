#pragma once

#include "conditions/conditionset.h"
#include "development/prediction.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <chrono>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace sestara {

class Development;
class DevelopmentJob;
class FiltroConsecutivi2;
class FiltroGruppi;
class FiltroPariDispari2;
class FiltroPresenzeSuper;
class FiltroSomma;
class ListingModel;
class Loading;
class PredictionGrid;
class RunControl;

// The condition dialogs that belong to one system window.
struct ConditionDialogs {
    QPointer<FiltroPresenzeSuper> presenze;
    QPointer<FiltroPariDispari2> pariDispari;
    QPointer<FiltroConsecutivi2> consecutivi;
    QPointer<FiltroSomma> somma;
    QPointer<FiltroGruppi> gruppi;
};

// A system window: the prediction grid and catalogue ("Sistemi"), the development with its costs
// ("Sviluppo"), and the tabs of the win check and the slips.
class OrtogonaliSuper : public QWidget {
    Q_OBJECT
public:
    OrtogonaliSuper(RunControl* runControl, const QString& dataDir, QWidget* parent = nullptr);
    ~OrtogonaliSuper() override;

    // The window's index in the registry, also kept as its tag.
    int index() const { return index_; }
    void setIndex(int index);

    const Prediction& prediction() const { return prediction_; }
    ConditionSet& conditions() { return conditions_; }
    const ConditionSet& conditions() const { return conditions_; }
    // The last completed development, or null.
    const Development* development() const { return development_.get(); }
    bool isRunning() const;
    // When the worker of the last run finished, to measure how soon the window shows the result.
    std::chrono::steady_clock::time_point lastWorkerEnd() const { return lastWorkerEnd_; }

    // The window's own condition dialogs; each stores into this window when confirmed.
    void setConditionDialogs(const ConditionDialogs& dialogs);

    // The buttons.
    void elabora();
    void deseleziona();
    void annullaCondizioni();
    // Closes the window (its MDI frame when it has one).
    void chiudi();

    // Message shown when "Elabora" is pressed while another window develops.
    static QString altraElaborazioneMessage();

signals:
    // The window has been closed; its index is free again.
    void unloaded(int index);
    // A run has ended (completed or interrupted) and the window shows its outcome.
    void runFinished(bool interrupted);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildSistemiTab();
    QWidget* buildSviluppoTab();
    QWidget* buildSpoglioTab();
    QWidget* buildSchedinaTab();
    QPushButton* makeChiudi(int element);

    void impostaForm();
    void gridClicked(int row, int column);
    void showPrediction();
    void sizeFollowsCount(int count);
    void sizeSelected();
    void typeSelected();
    void updateConditionButtons();

    // The condition buttons open their dialogs; "OK" there stores into this window.
    bool predictionReadyForDialog(std::vector<std::uint8_t>& pronostico);
    void apriPresenze();
    void apriPariDispari();
    void apriConsecutivi();
    void apriSomma();
    void apriGruppi();
    void salvaPresenze();
    void salvaPariDispari();
    void salvaConsecutivi();
    void salvaSomma();
    void salvaGruppi();

    void azzeraVariabili();
    void runProgress(quint64 examined, quint64 accepted);
    void runEnded();
    void showConditions(const ConditionSet& developed);
    void visualizzaCosti();
    void stopRun();
    void list4Clicked(int row);

    QPointer<RunControl> runControl_;
    QString dataDir_;
    int index_ = 0;
    bool unloaded_ = false;

    Prediction prediction_;
    ConditionSet conditions_;
    ConditionSet runConditions_;       // the conditions the current run uses
    ConditionSet developedConditions_; // those of the development shown
    std::shared_ptr<const Development> development_;
    std::string runEntryText_;
    int shownCount_ = 0;
    std::chrono::steady_clock::time_point lastWorkerEnd_;

    ConditionDialogs dialogs_;
    DevelopmentJob* job_ = nullptr;
    QPointer<Loading> loading_;

    QTabWidget* sstab1_ = nullptr;
    // "Sistemi"
    PredictionGrid* grid_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label21_ = nullptr;
    std::array<QLabel*, 2> label13_{};
    QComboBox* combo2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QLabel* label11_ = nullptr;
    QLabel* label19_ = nullptr;
    QLabel* label20_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command15_ = nullptr;
    QPushButton* command16_ = nullptr;
    QPushButton* command17_ = nullptr;
    QPushButton* command23_ = nullptr;
    QPushButton* command24_ = nullptr;
    // "Sviluppo"
    QLabel* label7_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label14_ = nullptr;
    QLabel* label10_ = nullptr;
    QLabel* label15_ = nullptr;
    QLabel* label8_ = nullptr;
    QLabel* label17_ = nullptr;
    std::array<QComboBox*, 4> combo3_{};
    QListWidget* list4_ = nullptr;
    QListView* testo_ = nullptr;
    ListingModel* listing_ = nullptr;
};

} // namespace sestara
