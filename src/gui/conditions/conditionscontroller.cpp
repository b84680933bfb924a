#include "gui/conditions/conditionscontroller.h"

#include "core/conditions/conditionset.h"
#include "core/conditions/dialogrules.h"
#include "core/development/prediction.h"
#include "gui/common/messages.h"
#include "gui/conditions/filtroconsecutivi2.h"
#include "gui/conditions/filtrogruppi.h"
#include "gui/conditions/filtroparidispari2.h"
#include "gui/conditions/filtropresenzesuper.h"
#include "gui/conditions/filtrosomma.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace sestara {

namespace {

const QColor kActive(0, 192, 0);

// What a button needs from the prediction before its dialog opens.
enum class PredictionNeed {
    None,      // "Pari/Dispari" and "Consecutivi" open at once
    TenNumbers, // at least ten numbers
    Numbers,    // at least ten numbers, read by position for the dialog's choices
};

// What filling and storing a dialog read and write.
struct Context {
    ConditionSet& conditions;
    const Prediction& prediction;
    const std::vector<std::uint8_t>& pronostico; // the prediction by position, when read
    int windowNumber;
};

template <typename Numbers>
QStringList numberTexts(const Numbers& numbers)
{
    QStringList texts;
    for (auto n : numbers)
        texts << QString::number(n);
    return texts;
}

std::vector<int> valuesOf(const QStringList& texts)
{
    std::vector<int> values;
    for (const QString& t : texts)
        values.push_back(t.toInt());
    return values;
}

template <std::size_t N>
QStringList allowedCounts(const std::array<bool, N>& allowed)
{
    QStringList texts;
    for (std::size_t k = 0; k < N; ++k)
        if (allowed[k])
            texts << QString::number(k);
    return texts;
}

void fillPresenze(Context& c, FiltroPresenzeSuper& d)
{
    d.setChoices(numberTexts(c.pronostico));
    if (c.conditions.presenzeAttive) {
        d.setChosen(numberTexts(c.conditions.fixedNumbers()));
    } else {
        // Fixed numbers stored while the condition was off are dropped here.
        c.conditions.presenze.fill(0);
        d.setChosen({});
    }
}

template <std::size_t N>
void fillCounts(ListPicker& d, const std::array<bool, N>& allowed)
{
    d.selectFirstChoice();
    d.setChosen(allowedCounts(allowed));
}

void fillPariDispari(Context& c, FiltroPariDispari2& d)
{
    fillCounts(d, c.conditions.pariDispari);
}

void fillConsecutivi(Context& c, FiltroConsecutivi2& d)
{
    fillCounts(d, c.conditions.consecutivi);
}

void fillSomma(Context& c, FiltroSomma& d)
{
    const int minima = c.prediction.sommaMinima();
    const int massima = c.prediction.sommaMassima();
    d.setLimits(minima, massima);
    // An inactive condition always reopens on the full range.
    if (c.conditions.sommaAttiva)
        d.setValues(c.conditions.sommaMin, c.conditions.sommaMax);
    else
        d.setValues(minima, massima);
}

void fillGruppi(Context& c, FiltroGruppi& d)
{
    d.setGroups(c.conditions.gruppi);
    d.setChoices(numberTexts(c.pronostico));
    d.setWindowNumber(c.windowNumber);
}

void storePresenze(Context& c, FiltroPresenzeSuper& d)
{
    d.setAttiva(c.conditions.salvaPresenze(valuesOf(d.chosen()), d.attiva()));
}

void storePariDispari(Context& c, FiltroPariDispari2& d)
{
    d.setAttiva(c.conditions.salvaPariDispari(valuesOf(d.chosen()), d.attiva()));
}

void storeConsecutivi(Context& c, FiltroConsecutivi2& d)
{
    d.setAttiva(c.conditions.salvaConsecutivi(valuesOf(d.chosen()), d.attiva()));
}

void storeSomma(Context& c, FiltroSomma& d)
{
    c.conditions.salvaSomma(d.attiva(), d.minimo(), d.massimo(), c.prediction.sommaMinima(),
                            c.prediction.sommaMassima());
}

void storeGruppi(Context& c, FiltroGruppi& d)
{
    d.setAttiva(c.conditions.salvaGruppi(d.groups(), d.attiva()));
}

// The table holds untyped dialogs; each row's functions know their dialog's class.
template <typename D, QPointer<D> ConditionDialogs::*Member>
ConditionDialog* dialogOf(const ConditionDialogs& dialogs)
{
    return (dialogs.*Member).data();
}

template <typename D, void (*F)(Context&, D&)>
void typed(Context& c, ConditionDialog& d)
{
    F(c, static_cast<D&>(d));
}

void paint(QPushButton* b, bool active)
{
    // A flat face, so the button shows exactly the active colour or the button-face colour.
    const QColor face = active ? kActive : QApplication::palette(b).color(QPalette::Button);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #8f8f91;"
                                    " border-radius: 2px; padding: 4px 10px; }"
                                    " QPushButton:pressed { border-color: #404040; }"
                                    " QPushButton:disabled { color: #808080; }")
                         .arg(face.name()));
}

} // namespace

struct ConditionsController::Row {
    ConditionKind kind;
    bool ConditionSet::*flag;
    PredictionNeed need;
    ConditionDialog* (*dialog)(const ConditionDialogs&);
    void (*fill)(Context&, ConditionDialog&);
    void (*store)(Context&, ConditionDialog&);
};

const std::array<ConditionsController::Row, 5>& ConditionsController::table()
{
    static constexpr std::array<Row, 5> rows{{
        {ConditionKind::Presenze, &ConditionSet::presenzeAttive, PredictionNeed::Numbers,
         &dialogOf<FiltroPresenzeSuper, &ConditionDialogs::presenze>, &typed<FiltroPresenzeSuper, fillPresenze>,
         &typed<FiltroPresenzeSuper, storePresenze>},
        {ConditionKind::PariDispari, &ConditionSet::pariDispariAttivo, PredictionNeed::None,
         &dialogOf<FiltroPariDispari2, &ConditionDialogs::pariDispari>, &typed<FiltroPariDispari2, fillPariDispari>,
         &typed<FiltroPariDispari2, storePariDispari>},
        {ConditionKind::Consecutivi, &ConditionSet::consecutiviAttivo, PredictionNeed::None,
         &dialogOf<FiltroConsecutivi2, &ConditionDialogs::consecutivi>, &typed<FiltroConsecutivi2, fillConsecutivi>,
         &typed<FiltroConsecutivi2, storeConsecutivi>},
        {ConditionKind::Somma, &ConditionSet::sommaAttiva, PredictionNeed::TenNumbers,
         &dialogOf<FiltroSomma, &ConditionDialogs::somma>, &typed<FiltroSomma, fillSomma>,
         &typed<FiltroSomma, storeSomma>},
        {ConditionKind::Gruppi, &ConditionSet::gruppiAttivi, PredictionNeed::Numbers,
         &dialogOf<FiltroGruppi, &ConditionDialogs::gruppi>, &typed<FiltroGruppi, fillGruppi>,
         &typed<FiltroGruppi, storeGruppi>},
    }};
    static_assert(rows[0].kind == ConditionKind::Presenze && rows[1].kind == ConditionKind::PariDispari &&
                      rows[2].kind == ConditionKind::Consecutivi && rows[3].kind == ConditionKind::Somma &&
                      rows[4].kind == ConditionKind::Gruppi,
                  "one row per kind, in the order of the kinds");
    return rows;
}

ConditionsController::ConditionsController(ConditionSet& conditions, const Prediction& prediction, QWidget* window)
    : QObject(window), conditions_(conditions), prediction_(prediction), window_(window)
{
}

ConditionsController::~ConditionsController() = default;

void ConditionsController::setButtons(const std::array<QPushButton*, 5>& buttons)
{
    for (const QMetaObject::Connection& c : buttonConnections_)
        disconnect(c);
    buttonConnections_.clear();
    for (const Row& row : table()) {
        QPushButton* b = buttons[static_cast<std::size_t>(row.kind)];
        buttons_[static_cast<std::size_t>(row.kind)] = b;
        if (b)
            buttonConnections_.push_back(
                connect(b, &QPushButton::clicked, this, [this, kind = row.kind] { open(kind); }));
    }
    refreshButtons();
}

void ConditionsController::setDialogs(const ConditionDialogs& dialogs)
{
    for (const QMetaObject::Connection& c : dialogConnections_)
        disconnect(c);
    dialogConnections_.clear();
    dialogs_ = dialogs;
    for (const Row& row : table())
        if (ConditionDialog* d = dialog(row))
            dialogConnections_.push_back(
                connect(d, &ConditionDialog::confirmed, this, [this, kind = row.kind] { store(kind); }));
}

void ConditionsController::setLocked(bool locked)
{
    locked_ = locked;
}

ConditionDialog* ConditionsController::dialog(const Row& row) const
{
    return row.dialog(dialogs_);
}

void ConditionsController::open(ConditionKind kind)
{
    const Row& row = table()[static_cast<std::size_t>(kind)];
    ConditionDialog* d = dialog(row);
    if (locked_ || !d)
        return;
    std::vector<std::uint8_t> pronostico;
    if (row.need != PredictionNeed::None) {
        const std::string refusal = predictionCheckForDialog(prediction_.count());
        if (!refusal.empty()) {
            Messages::show(window_, QString::fromStdString(refusal), MessageIcon::Exclamation);
            return;
        }
    }
    if (row.need == PredictionNeed::Numbers) {
        VerifiedPrediction verified = verificaElementi(prediction_);
        if (!verified.error.empty()) {
            Messages::show(window_, QString::fromStdString(verified.error), MessageIcon::Exclamation);
            return;
        }
        pronostico = std::move(verified.pronostico);
    }

    const ConditionSet before = conditions_;
    const int windowNumber = window_ ? window_->property("tag").toInt() : 0;
    Context context{conditions_, prediction_, pronostico, windowNumber};
    row.fill(context, *d);
    d->setAttiva(conditions_.*row.flag);
    refreshButtons();
    if (conditions_ != before)
        emit conditionsChanged();
    d->showModal();
}

void ConditionsController::store(ConditionKind kind)
{
    const Row& row = table()[static_cast<std::size_t>(kind)];
    ConditionDialog* d = dialog(row);
    if (locked_ || !d)
        return;
    const std::vector<std::uint8_t> none;
    Context context{conditions_, prediction_, none, 0};
    row.store(context, *d);
    refreshButtons();
    emit conditionsChanged();
}

void ConditionsController::annullaCondizioni()
{
    if (locked_)
        return;
    conditions_.annullaCondizioni();
    refreshButtons();
    emit conditionsChanged();
}

void ConditionsController::refreshButtons()
{
    for (const Row& row : table())
        if (QPushButton* b = buttons_[static_cast<std::size_t>(row.kind)])
            paint(b, conditions_.*row.flag);
}

} // namespace sestara
