#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <array>
#include <vector>

class QPushButton;
class QWidget;

namespace sestara {

class ConditionDialog;
class FiltroConsecutivi2;
class FiltroGruppi;
class FiltroPariDispari2;
class FiltroPresenzeSuper;
class FiltroSomma;
class Prediction;
struct ConditionSet;

enum class ConditionKind { Presenze, PariDispari, Consecutivi, Somma, Gruppi };

// The condition dialogs that belong to one system window.
struct ConditionDialogs {
    QPointer<FiltroPresenzeSuper> presenze;
    QPointer<FiltroPariDispari2> pariDispari;
    QPointer<FiltroConsecutivi2> consecutivi;
    QPointer<FiltroSomma> somma;
    QPointer<FiltroGruppi> gruppi;
};

// Drives the five condition dialogs of one system window: a condition button fills its dialog
// from the window's condition set and shows it; the dialog's "OK" stores it back. The buttons are
// painted green while their condition is active.
class ConditionsController : public QObject {
    Q_OBJECT
public:
    // `window` is the system window: parent of messages; its "tag" property is its number.
    ConditionsController(ConditionSet& conditions, const Prediction& prediction, QWidget* window);
    ~ConditionsController() override;

    // The five buttons "Fisse", "Pari/Dispari", "Consecutivi", "Somma", "Gruppi" in ConditionKind
    // order: their clicks open the dialogs and they show which conditions are active.
    void setButtons(const std::array<QPushButton*, 5>& buttons);
    // May be called again with other dialogs; the earlier ones no longer store here.
    void setDialogs(const ConditionDialogs& dialogs);
    // While the window develops, opening, storing and "Annulla Condizioni" do nothing.
    void setLocked(bool locked);
    bool isLocked() const { return locked_; }

    void open(ConditionKind kind);
    // "Annulla Condizioni": every flag off, data kept.
    void annullaCondizioni();
    // Paints the five buttons from the flags.
    void refreshButtons();

signals:
    // The condition set has changed: a dialog stored, "Annulla Condizioni", or the fixed numbers
    // dropped by opening "Fisse" while that condition was off.
    void conditionsChanged();

private:
    struct Row;
    static const std::array<Row, 5>& table();

    ConditionDialog* dialog(const Row& row) const;
    void store(ConditionKind kind);

    ConditionSet& conditions_;
    const Prediction& prediction_;
    QPointer<QWidget> window_;
    std::array<QPointer<QPushButton>, 5> buttons_{};
    ConditionDialogs dialogs_;
    std::vector<QMetaObject::Connection> buttonConnections_;
    std::vector<QMetaObject::Connection> dialogConnections_;
    bool locked_ = false;
};

} // namespace sestara
