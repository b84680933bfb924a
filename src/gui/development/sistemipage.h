#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sestara {

class PredictionGrid;
class SystemDocument;

// The "Sistemi" tab: the prediction grid with its figures, the catalogue lists, the condition
// buttons and "Elabora". It edits the document's prediction and catalogue selection.
class SistemiPage : public QWidget {
    Q_OBJECT
public:
    explicit SistemiPage(SystemDocument& document, QWidget* parent = nullptr);

    // "Fisse", "Pari/Dispari", "Consecutivi", "Somma", "Gruppi", in this order.
    std::array<QPushButton*, 5> conditionButtons() const { return conditionButtons_; }

    // Shows the document's prediction and catalogue selection.
    void showDocument();
    // During a run: "Attendere..." and the count of accepted columns.
    void showRunStarted();
    void showAccepted(quint64 accepted);
    void showRunEnded(bool completed);

signals:
    void elaboraRequested();
    // The last type, "Su misura…" or the design held, was chosen: its dialog is due.
    void suMisuraChosen();
    // "Consiglia…": the advice for the prediction's count.
    void consigliaRequested();
    void annullaRequested();
    void chiudiRequested();
    // The prediction changed, and with it the fixed numbers, the sum and the groups went.
    void predictionChanged();

private:
    void gridClicked(int row, int column);
    void deseleziona();
    void showPrediction();
    void showCatalogue();
    void sizeChosen(int index);
    void typeChosen(int index);

    SystemDocument& document_;
    PredictionGrid* grid_ = nullptr;
    QLabel* prediction_ = nullptr;     // Label1
    QLabel* count_ = nullptr;          // Label4
    QLabel* evenOdd_ = nullptr;        // Label21
    QLabel* combinations_ = nullptr;   // Label13_1
    QComboBox* sizes_ = nullptr;       // Combo2
    QComboBox* types_ = nullptr;       // Combo1
    QComboBox* superStar_ = nullptr;   // the SuperStar played, index 0 for none
    QGroupBox* typesFrame_ = nullptr;  // Frame2
    QLabel* status_ = nullptr;         // Label11
    QLabel* runCaption_ = nullptr;     // Label19
    QLabel* runCount_ = nullptr;       // Label20
    QPushButton* consiglia_ = nullptr; // Consiglia
    std::array<QPushButton*, 5> conditionButtons_{};
};

} // namespace sestara
