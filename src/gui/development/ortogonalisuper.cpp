#include "development/ortogonalisuper.h"

#include "conditions/dialogrules.h"
#include "conditions/filtroconsecutivi2.h"
#include "conditions/filtrogruppi.h"
#include "conditions/filtroparidispari2.h"
#include "conditions/filtropresenzesuper.h"
#include "conditions/filtrosomma.h"
#include "development/catalogue.h"
#include "development/development.h"
#include "development/developmentjob.h"
#include "development/formatting.h"
#include "development/listingmodel.h"
#include "development/predictiongrid.h"
#include "development/run.h"
#include "shell/loading.h"
#include "shell/messages.h"
#include "shell/programsettings.h"
#include "shell/runcontrol.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sestara {

namespace {

QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

QGroupBox* frame(const QString& caption, QWidget* content, const QString& name = QString())
{
    auto* box = new QGroupBox(caption);
    if (!name.isEmpty())
        box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(content);
    return box;
}

QLabel* valueLabel(const QString& name, const QString& text = QString())
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    return label;
}

QPushButton* button(const QString& name, const QString& caption, const QString& tip = QString())
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QFont listingFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

const QColor kConditionActive(0, 192, 0);

} // namespace

OrtogonaliSuper::OrtogonaliSuper(RunControl* runControl, const QString& dataDir, QWidget* parent)
    : QWidget(parent)
    , runControl_(runControl)
    , dataDir_(dataDir)
{
    setObjectName(QStringLiteral("OrtogonaliSuper"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    sstab1_ = new QTabWidget(this);
    sstab1_->setObjectName(QStringLiteral("SSTab1"));
    sstab1_->addTab(buildSistemiTab(), QStringLiteral("Sistemi"));
    sstab1_->addTab(buildSviluppoTab(), QStringLiteral("Sviluppo"));
    sstab1_->addTab(buildSpoglioTab(), QStringLiteral("Spoglio"));
    sstab1_->addTab(buildSchedinaTab(), QStringLiteral("Schedina"));

    // The tab control follows the window's size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(sstab1_);

    impostaForm();
}

OrtogonaliSuper::~OrtogonaliSuper()
{
    stopRun();
}

void OrtogonaliSuper::setIndex(int index)
{
    index_ = index;
    setProperty("tag", QString::number(index));
}

bool OrtogonaliSuper::isRunning() const
{
    return job_ != nullptr;
}

QString OrtogonaliSuper::altraElaborazioneMessage()
{
    return QStringLiteral("È già in corso un'elaborazione in un'altra finestra.\n"
                          "Attendere che termini, o interromperla, prima di avviarne una nuova.");
}

// ---------------------------------------------------------------------------------------------
// Building the tabs

QPushButton* OrtogonaliSuper::makeChiudi(int element)
{
    QPushButton* b = button(QStringLiteral("Command13_%1").arg(element), QStringLiteral("Chiudi"),
                            QStringLiteral("Chiudi Finestra"));
    connect(b, &QPushButton::clicked, this, &OrtogonaliSuper::chiudi);
    return b;
}

QWidget* OrtogonaliSuper::buildSistemiTab()
{
    auto* page = new QWidget;

    grid_ = new PredictionGrid;
    connect(grid_, &QTableWidget::cellClicked, this, &OrtogonaliSuper::gridClicked);
    QGroupBox* frame4 = frame(QStringLiteral("Seleziona Pronostico"), grid_, QStringLiteral("Frame4"));

    label1_ = valueLabel(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setMinimumHeight(label1_->fontMetrics().lineSpacing() * 3 + 4);
    QGroupBox* frame3 = frame(QStringLiteral("Lista Pronostico :"), label1_, QStringLiteral("Frame3"));

    label4_ = valueLabel(QStringLiteral("Label4"), QStringLiteral("0"));
    label21_ = valueLabel(QStringLiteral("Label21"), QStringLiteral("0 - 0"));
    label13_[1] = valueLabel(QStringLiteral("Label13_1"), QStringLiteral("0"));
    combo2_ = new QComboBox;
    combo2_->setObjectName(QStringLiteral("Combo2"));
    connect(combo2_, &QComboBox::currentIndexChanged, this, &OrtogonaliSuper::sizeSelected);

    combo1_ = new QComboBox;
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(combo1_, &QComboBox::currentIndexChanged, this, &OrtogonaliSuper::typeSelected);
    frame2_ = frame(QStringLiteral("Sistemi disponibili con 10 numeri:"), combo1_, QStringLiteral("Frame2"));

    auto* side = new QVBoxLayout;
    side->addWidget(frame(QStringLiteral("In Gioco:"), label4_, QStringLiteral("Frame8")));
    side->addWidget(frame(QStringLiteral("Par/Dis"), label21_, QStringLiteral("Frame44")));
    side->addWidget(frame(QStringLiteral("Combinazioni Integrali :"), label13_[1]));
    side->addWidget(frame(QStringLiteral("Elementi :"), combo2_, QStringLiteral("Frame7")));
    side->addStretch();

    // The conditions.
    command15_ = button(QStringLiteral("Command15"), QStringLiteral("Fisse"));
    command16_ = button(QStringLiteral("Command16"), QStringLiteral("Pari/Dispari"));
    command17_ = button(QStringLiteral("Command17"), QStringLiteral("Consecutivi"));
    command23_ = button(QStringLiteral("Command23"), QStringLiteral("Somma"));
    command24_ = button(QStringLiteral("Command24"), QStringLiteral("Gruppi"));
    auto* conditionsBox = new QGroupBox(QStringLiteral("Condizioni :"));
    auto* conditionsLayout = new QVBoxLayout(conditionsBox);
    for (QPushButton* b : {command15_, command16_, command17_, command23_, command24_})
        conditionsLayout->addWidget(b);
    connect(command15_, &QPushButton::clicked, this, &OrtogonaliSuper::apriPresenze);
    connect(command16_, &QPushButton::clicked, this, &OrtogonaliSuper::apriPariDispari);
    connect(command17_, &QPushButton::clicked, this, &OrtogonaliSuper::apriConsecutivi);
    connect(command23_, &QPushButton::clicked, this, &OrtogonaliSuper::apriSomma);
    connect(command24_, &QPushButton::clicked, this, &OrtogonaliSuper::apriGruppi);
    command1_ = button(QStringLiteral("Command1"), QStringLiteral("Annulla Condizioni"),
                       QStringLiteral("Annulla Condizioni Attive"));
    connect(command1_, &QPushButton::clicked, this, &OrtogonaliSuper::annullaCondizioni);
    conditionsLayout->addWidget(command1_);
    conditionsLayout->addStretch();

    command2_ = button(QStringLiteral("Command2"), QStringLiteral("Deseleziona"));
    connect(command2_, &QPushButton::clicked, this, &OrtogonaliSuper::deseleziona);
    command4_ = button(QStringLiteral("Command4"), QStringLiteral("Elabora"), QStringLiteral("Elabora Sistema"));
    connect(command4_, &QPushButton::clicked, this, &OrtogonaliSuper::elabora);

    label11_ = valueLabel(QStringLiteral("Label11"));
    label19_ = valueLabel(QStringLiteral("Label19"), QStringLiteral("Colonne:"));
    label20_ = valueLabel(QStringLiteral("Label20"), QStringLiteral("0"));
    label19_->hide();
    label20_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(frame4, 3);
    top->addLayout(side, 1);
    top->addWidget(conditionsBox, 1);

    auto* status = new QHBoxLayout;
    status->addWidget(label11_);
    status->addSpacing(12);
    status->addWidget(label19_);
    status->addWidget(label20_);
    status->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command2_);
    buttons->addStretch();
    buttons->addWidget(command4_);
    buttons->addWidget(makeChiudi(0));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top, 1);
    layout->addWidget(frame3);
    layout->addWidget(frame2_);
    layout->addLayout(status);
    layout->addLayout(buttons);
    return page;
}

QWidget* OrtogonaliSuper::buildSviluppoTab()
{
    auto* page = new QWidget;

    listing_ = new ListingModel(this);
    testo_ = new QListView;
    testo_->setObjectName(QStringLiteral("Testo"));
    testo_->setModel(listing_);
    testo_->setUniformItemSizes(true);
    testo_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    testo_->setSelectionMode(QAbstractItemView::SingleSelection);
    testo_->setFont(listingFont());
    testo_->setMinimumWidth(QFontMetrics(listingFont()).horizontalAdvance(QStringLiteral("0000000    >   00-00-00-00-00-00")) + 30);
    QGroupBox* frame41 = frame(QStringLiteral("Colonne:"), testo_, QStringLiteral("Frame41"));

    label7_ = valueLabel(QStringLiteral("Label7"));
    label3_ = valueLabel(QStringLiteral("Label3"));
    label3_->setWordWrap(true);
    label3_->setMinimumHeight(label3_->fontMetrics().lineSpacing() * 3 + 4);
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label13_[0] = valueLabel(QStringLiteral("Label13_0"));
    label2_ = valueLabel(QStringLiteral("Label2"));
    label14_ = valueLabel(QStringLiteral("Label14"));
    label10_ = valueLabel(QStringLiteral("Label10"));
    label15_ = valueLabel(QStringLiteral("Label15"));
    label8_ = valueLabel(QStringLiteral("Label8"));
    label17_ = valueLabel(QStringLiteral("Label17"));

    auto* figures = new QGridLayout;
    figures->addWidget(frame(QStringLiteral("Sistema Tipo :"), label7_, QStringLiteral("Frame16")), 0, 0, 1, 2);
    figures->addWidget(frame(QStringLiteral("Lista Pronostico :"), label3_), 1, 0, 1, 2);
    figures->addWidget(frame(QStringLiteral("Combinazioni Integrali :"), label13_[0]), 2, 0);
    figures->addWidget(frame(QStringLiteral("Combinazioni Giocate :"), label2_), 2, 1);
    figures->addWidget(frame(QStringLiteral("Costo Sistema Integrale :"), label14_), 3, 0);
    figures->addWidget(frame(QStringLiteral("Costo Sistema Elaborato:"), label10_), 3, 1);
    figures->addWidget(frame(QStringLiteral("Risparmio :"), label15_), 4, 0);
    figures->addWidget(frame(QStringLiteral("Percentuale Riduzione:"), label8_), 4, 1);
    figures->addWidget(frame(QStringLiteral("Schedine Totali:"), label17_), 5, 0);

    // The conditions in force for the development shown.
    const QString combo3Captions[4] = {QStringLiteral("Fisse"), QStringLiteral("Pari / Dispari"),
                                       QStringLiteral("Somma"), QStringLiteral("Consecutivi")};
    auto* conditionsBox = new QGroupBox(QStringLiteral("Condizioni:"));
    auto* conditionsLayout = new QGridLayout(conditionsBox);
    for (int k = 0; k < 4; ++k) {
        combo3_[static_cast<std::size_t>(k)] = new QComboBox;
        combo3_[static_cast<std::size_t>(k)]->setObjectName(QStringLiteral("Combo3_%1").arg(k));
        combo3_[static_cast<std::size_t>(k)]->hide();
        conditionsLayout->addWidget(frame(combo3Captions[k], combo3_[static_cast<std::size_t>(k)]), k / 2, k % 2);
    }
    list4_ = new QListWidget;
    list4_->setObjectName(QStringLiteral("List4"));
    list4_->setMaximumHeight(list4_->fontMetrics().lineSpacing() * 4 + 8);
    list4_->hide();
    connect(list4_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { list4Clicked(list4_->row(item)); });
    conditionsLayout->addWidget(frame(QStringLiteral("Gruppi"), list4_), 2, 0, 1, 2);
    figures->addWidget(conditionsBox, 6, 0, 1, 2);
    figures->setRowStretch(7, 1);

    // Saving and printing come with their own parts of the program.
    QPushButton* command14 = button(QStringLiteral("Command14"), QStringLiteral("Salva"),
                                    QStringLiteral("Salva Sistema su File"));
    QPushButton* command6 = button(QStringLiteral("Command6"), QStringLiteral("Stampa"), QStringLiteral("Stampa Sviluppo"));
    QPushButton* command5 = button(QStringLiteral("Command5"), QStringLiteral("Gioca Sistema"),
                                   QStringLiteral("Stampa Sviluppo su Schedina"));
    for (QPushButton* b : {command14, command6, command5})
        b->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command14);
    buttons->addWidget(command6);
    buttons->addWidget(command5);
    buttons->addStretch();
    buttons->addWidget(makeChiudi(1));

    auto* top = new QHBoxLayout;
    top->addWidget(frame41, 1);
    top->addLayout(figures, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget* OrtogonaliSuper::buildSpoglioTab()
{
    auto* page = new QWidget;
    QPushButton* command12 = button(QStringLiteral("Command12"), QStringLiteral("Spoglio"), QStringLiteral("Ricerca Vincite"));
    QPushButton* command22 = button(QStringLiteral("Command22"), QStringLiteral("Schedine Vincenti"),
                                    QStringLiteral("Visualizza schedine vincenti"));
    command12->setEnabled(false);
    command22->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command12);
    buttons->addWidget(command22);
    buttons->addStretch();
    buttons->addWidget(makeChiudi(2));
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget* OrtogonaliSuper::buildSchedinaTab()
{
    auto* page = new QWidget;
    QPushButton* command8 = button(QStringLiteral("Command8"), QStringLiteral("Stampa "), QStringLiteral("Stampa Schedine"));
    QPushButton* command7 = button(QStringLiteral("Command7"), QStringLiteral("Cancel"), QStringLiteral("Pulisci Schedina"));
    command8->setEnabled(false);
    command7->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command8);
    buttons->addWidget(command7);
    buttons->addStretch();
    buttons->addWidget(makeChiudi(3));
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addLayout(buttons);
    return page;
}

// ---------------------------------------------------------------------------------------------
// The prediction and the catalogue

void OrtogonaliSuper::impostaForm()
{
    prediction_.clear();
    conditions_ = ConditionSet();
    conditions_.azzeraGrupeFis();
    conditions_.azzeraConePari();
    grid_->clearNumbers();
    shownCount_ = 0;

    combo2_->blockSignals(true);
    combo2_->clear();
    for (const std::string& size : catalogueSizes())
        combo2_->addItem(fromStd(size));
    combo2_->setCurrentIndex(-1);
    combo2_->blockSignals(false);
    combo2_->setCurrentIndex(0);

    label8_->setText(QStringLiteral("0 %"));
    showPrediction();
    updateConditionButtons();
    sstab1_->setCurrentIndex(0);
}

void OrtogonaliSuper::gridClicked(int row, int column)
{
    if (row < 0 || column < 0 || isRunning())
        return;
    grid_->setUpdatesEnabled(false);
    // Any change of the prediction drops the fixed numbers, the sum and the groups.
    conditions_.azzeraGrupeFis();
    updateConditionButtons();
    label19_->hide();
    label20_->hide();

    std::vector<int> numbers;
    if (row == 0 && column == 0) {
        for (int k = 1; k <= 9; ++k)
            numbers.push_back(PredictionGrid::numberAt(k, k));
    } else if (row == 0) {
        for (int r = 1; r < PredictionGrid::kRows; ++r)
            numbers.push_back(PredictionGrid::numberAt(r, column));
    } else if (column == 0) {
        for (int c = 1; c < PredictionGrid::kColumns; ++c)
            numbers.push_back(PredictionGrid::numberAt(row, c));
    } else {
        numbers.push_back(PredictionGrid::numberAt(row, column));
    }

    bool full = false;
    for (int n : numbers) {
        if (prediction_.isSelected(n)) {
            prediction_.deselect(n);
            grid_->setNumberSelected(n, false);
        } else if (prediction_.select(n)) {
            grid_->setNumberSelected(n, true);
        } else {
            full = true;
            break;
        }
    }
    showPrediction();
    grid_->setUpdatesEnabled(true);
    if (full)
        Messages::show(this, QStringLiteral("Inserire massimo 55 elementi"), MessageIcon::Exclamation);
}

void OrtogonaliSuper::showPrediction()
{
    const int count = prediction_.count();
    label1_->setText(fromStd(prediction_.text()));
    label4_->setText(QString::number(count));
    label21_->setText(fromStd(prediction_.evenOddText()));
    label13_[1]->setText(formatCount(static_cast<std::int64_t>(combinazioniIntegrali(count))));
    if (count != shownCount_) {
        shownCount_ = count;
        sizeFollowsCount(count);
    }
}

void OrtogonaliSuper::sizeFollowsCount(int count)
{
    if (count > kMaxPredictionSize)
        combo2_->setCurrentIndex(combo2_->count() - 1);
    else if (count >= kMinPredictionSize)
        combo2_->setCurrentIndex(count - kMinPredictionSize);
}

void OrtogonaliSuper::sizeSelected()
{
    combo1_->blockSignals(true);
    combo1_->clear();
    for (const std::string& entry : catalogueEntriesForSizeText(combo2_->currentText().toStdString()))
        combo1_->addItem(fromStd(entry));
    combo1_->setCurrentIndex(-1);
    combo1_->blockSignals(false);
    if (combo1_->count() > 0)
        combo1_->setCurrentIndex(0);
}

void OrtogonaliSuper::typeSelected()
{
    if (combo1_->currentIndex() < 0)
        return;
    frame2_->setTitle(fromStd(frameCaptionForEntry(combo1_->currentText().toStdString())));
}

void OrtogonaliSuper::deseleziona()
{
    if (isRunning())
        return;
    prediction_.clear();
    grid_->clearNumbers();
    conditions_.azzeraGrupeFis();
    updateConditionButtons();
    showPrediction();
}

void OrtogonaliSuper::annullaCondizioni()
{
    if (isRunning())
        return;
    conditions_.annullaCondizioni();
    updateConditionButtons();
}

void OrtogonaliSuper::updateConditionButtons()
{
    // A flat face, so the button shows exactly the active colour or the button-face colour.
    auto paint = [](QPushButton* b, bool active) {
        const QColor face = active ? kConditionActive : QApplication::palette(b).color(QPalette::Button);
        b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #8f8f91;"
                                        " border-radius: 2px; padding: 4px 10px; }"
                                        " QPushButton:pressed { border-color: #404040; }"
                                        " QPushButton:disabled { color: #808080; }")
                             .arg(face.name()));
    };
    paint(command15_, conditions_.presenzeAttive);
    paint(command16_, conditions_.pariDispariAttivo);
    paint(command17_, conditions_.consecutiviAttivo);
    paint(command23_, conditions_.sommaAttiva);
    paint(command24_, conditions_.gruppiAttivi);
}

// ---------------------------------------------------------------------------------------------
// The condition dialogs

namespace {

QStringList numberTexts(const std::vector<std::uint8_t>& numbers)
{
    QStringList texts;
    for (auto n : numbers)
        texts << QString::number(n);
    return texts;
}

QStringList numberTexts(const std::vector<int>& numbers)
{
    QStringList texts;
    for (int n : numbers)
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

} // namespace

void OrtogonaliSuper::setConditionDialogs(const ConditionDialogs& dialogs)
{
    for (QObject* old : {static_cast<QObject*>(dialogs_.presenze.data()), static_cast<QObject*>(dialogs_.pariDispari.data()),
                         static_cast<QObject*>(dialogs_.consecutivi.data()), static_cast<QObject*>(dialogs_.somma.data()),
                         static_cast<QObject*>(dialogs_.gruppi.data())})
        if (old)
            disconnect(old, nullptr, this, nullptr);
    dialogs_ = dialogs;
    if (dialogs_.presenze)
        connect(dialogs_.presenze.data(), &ConditionDialog::confirmed, this, &OrtogonaliSuper::salvaPresenze);
    if (dialogs_.pariDispari)
        connect(dialogs_.pariDispari.data(), &ConditionDialog::confirmed, this, &OrtogonaliSuper::salvaPariDispari);
    if (dialogs_.consecutivi)
        connect(dialogs_.consecutivi.data(), &ConditionDialog::confirmed, this, &OrtogonaliSuper::salvaConsecutivi);
    if (dialogs_.somma)
        connect(dialogs_.somma.data(), &ConditionDialog::confirmed, this, &OrtogonaliSuper::salvaSomma);
    if (dialogs_.gruppi)
        connect(dialogs_.gruppi.data(), &ConditionDialog::confirmed, this, &OrtogonaliSuper::salvaGruppi);
}

// The check the fixed-numbers, sum and groups buttons make before opening, then the prediction
// read by position as the dialogs list it.
bool OrtogonaliSuper::predictionReadyForDialog(std::vector<std::uint8_t>& pronostico)
{
    const std::string refusal = predictionCheckForDialog(prediction_.count());
    if (!refusal.empty()) {
        Messages::show(this, fromStd(refusal), MessageIcon::Exclamation);
        return false;
    }
    VerifiedPrediction verified = verificaElementi(prediction_);
    if (!verified.error.empty()) {
        Messages::show(this, fromStd(verified.error), MessageIcon::Exclamation);
        return false;
    }
    pronostico = std::move(verified.pronostico);
    return true;
}

void OrtogonaliSuper::apriPresenze()
{
    std::vector<std::uint8_t> pronostico;
    if (isRunning() || !dialogs_.presenze || !predictionReadyForDialog(pronostico))
        return;
    FiltroPresenzeSuper* d = dialogs_.presenze;
    d->setChoices(numberTexts(pronostico));
    d->setAttiva(conditions_.presenzeAttive);
    if (conditions_.presenzeAttive) {
        d->setChosen(numberTexts(conditions_.fixedNumbers()));
    } else {
        // Fixed numbers stored while the condition was off are dropped here.
        conditions_.presenze.fill(0);
        d->setChosen({});
    }
    updateConditionButtons();
    d->showModal();
}

void OrtogonaliSuper::salvaPresenze()
{
    FiltroPresenzeSuper* d = dialogs_.presenze;
    if (!d || isRunning())
        return;
    d->setAttiva(conditions_.salvaPresenze(valuesOf(d->chosen()), d->attiva()));
    updateConditionButtons();
}

namespace {

// The even/odd and consecutive dialogs open alike: "Attiva" from the flag, the first choice
// selected, the allowed counts in the chosen list.
template <std::size_t N>
void fillCountsDialog(ListPicker* d, bool active, const std::array<bool, N>& allowed)
{
    d->setAttiva(active);
    d->selectFirstChoice();
    d->setChosen(allowedCounts(allowed));
}

} // namespace

void OrtogonaliSuper::apriPariDispari()
{
    if (isRunning() || !dialogs_.pariDispari)
        return;
    fillCountsDialog(dialogs_.pariDispari, conditions_.pariDispariAttivo, conditions_.pariDispari);
    updateConditionButtons();
    dialogs_.pariDispari->showModal();
}

void OrtogonaliSuper::salvaPariDispari()
{
    FiltroPariDispari2* d = dialogs_.pariDispari;
    if (!d || isRunning())
        return;
    d->setAttiva(conditions_.salvaPariDispari(valuesOf(d->chosen()), d->attiva()));
    updateConditionButtons();
}

void OrtogonaliSuper::apriConsecutivi()
{
    if (isRunning() || !dialogs_.consecutivi)
        return;
    fillCountsDialog(dialogs_.consecutivi, conditions_.consecutiviAttivo, conditions_.consecutivi);
    updateConditionButtons();
    dialogs_.consecutivi->showModal();
}

void OrtogonaliSuper::salvaConsecutivi()
{
    FiltroConsecutivi2* d = dialogs_.consecutivi;
    if (!d || isRunning())
        return;
    d->setAttiva(conditions_.salvaConsecutivi(valuesOf(d->chosen()), d->attiva()));
    updateConditionButtons();
}

void OrtogonaliSuper::apriSomma()
{
    std::vector<std::uint8_t> pronostico;
    if (isRunning() || !dialogs_.somma || !predictionReadyForDialog(pronostico))
        return;
    FiltroSomma* d = dialogs_.somma;
    d->setLimits(prediction_.sommaMinima(), prediction_.sommaMassima());
    if (conditions_.sommaAttiva)
        d->setValues(conditions_.sommaMin, conditions_.sommaMax);
    else
        d->setValues(prediction_.sommaMinima(), prediction_.sommaMassima());
    d->setAttiva(conditions_.sommaAttiva);
    updateConditionButtons();
    d->showModal();
}

void OrtogonaliSuper::salvaSomma()
{
    FiltroSomma* d = dialogs_.somma;
    if (!d || isRunning())
        return;
    conditions_.salvaSomma(d->attiva(), d->minimo(), d->massimo(), prediction_.sommaMinima(),
                           prediction_.sommaMassima());
    updateConditionButtons();
}

void OrtogonaliSuper::apriGruppi()
{
    std::vector<std::uint8_t> pronostico;
    if (isRunning() || !dialogs_.gruppi || !predictionReadyForDialog(pronostico))
        return;
    FiltroGruppi* d = dialogs_.gruppi;
    d->setGroups(conditions_.gruppi);
    d->setChoices(numberTexts(pronostico));
    d->setAttiva(conditions_.gruppiAttivi);
    d->setWindowNumber(index_);
    updateConditionButtons();
    d->showModal();
}

void OrtogonaliSuper::salvaGruppi()
{
    FiltroGruppi* d = dialogs_.gruppi;
    if (!d || isRunning())
        return;
    d->setAttiva(conditions_.salvaGruppi(d->groups(), d->attiva()));
    updateConditionButtons();
}

// ---------------------------------------------------------------------------------------------
// The development run

void OrtogonaliSuper::elabora()
{
    if (isRunning())
        return;
    if (runControl_ && runControl_->busy()) {
        Messages::show(this, altraElaborazioneMessage(), MessageIcon::Exclamation);
        return;
    }

    RunSelection selection;
    selection.sizeText = combo2_->currentText().toStdString();
    selection.selectedIndex = combo1_->currentIndex();
    selection.entryText = combo1_->currentText().toStdString();
    // Refusals (and a missing data file) are found before anything on the window changes.
    PlanOutcome outcome = planDevelopment(prediction_, selection, dataDir_.toStdString());
    if (!outcome.ok()) {
        Messages::show(this, fromStd(outcome.refusal), MessageIcon::Exclamation);
        return;
    }

    auto interrupt = std::make_shared<std::atomic<bool>>(false);
    if (runControl_ && !runControl_->begin(this, interrupt)) {
        Messages::show(this, altraElaborazioneMessage(), MessageIcon::Exclamation);
        return;
    }

    azzeraVariabili();
    runEntryText_ = selection.entryText;
    runConditions_ = conditions_;

    const auto total = static_cast<qint64>(outcome.plan.totalCandidates);
    loading_ = new Loading(window());
    loading_->setMaximum(total);
    loading_->setValue(0);
    connect(loading_.data(), &Loading::interrompiRequested, this, [interrupt] { interrupt->store(true); });
    loading_->show();
    loading_->raise();

    job_ = new DevelopmentJob(std::move(outcome.plan), runConditions_, interrupt, this);
    connect(job_, &DevelopmentJob::progressed, this, &OrtogonaliSuper::runProgress);
    connect(job_, &DevelopmentJob::finished, this, &OrtogonaliSuper::runEnded);
    job_->start();
}

void OrtogonaliSuper::azzeraVariabili()
{
    label7_->clear();
    label11_->clear();
    label17_->clear();
    label3_->clear();
    for (QLabel* l : {label10_, label13_[0], label13_[1], label14_, label15_, label2_, label8_})
        l->setText(QStringLiteral("0"));
    for (QComboBox* c : combo3_) {
        c->clear();
        c->hide();
    }
    list4_->clear();
    list4_->hide();

    label11_->setText(QStringLiteral("Attendere..."));
    sstab1_->setEnabled(false);
    label13_[1]->setText(formatCount(static_cast<std::int64_t>(combinazioniIntegrali(prediction_.count()))));

    development_.reset();
    listing_->clear();
    label19_->show();
    label20_->show();
    label20_->setText(QStringLiteral("0"));
}

void OrtogonaliSuper::runProgress(quint64 examined, quint64 accepted)
{
    if (loading_)
        loading_->setValue(static_cast<qint64>(examined));
    label20_->setText(QString::number(accepted));
}

void OrtogonaliSuper::runEnded()
{
    if (!job_)
        return;
    std::unique_ptr<RunResult> result = job_->takeResult();
    lastWorkerEnd_ = job_->workerEnd();
    const bool interrupted = job_->interruptRequested() || !result || result->status == RunStatus::Interrupted;
    job_->deleteLater();
    job_ = nullptr;
    if (runControl_)
        runControl_->end(this);

    if (interrupted) {
        label7_->setText(QStringLiteral("Elaborazione Interrotta"));
        label11_->clear();
        sstab1_->setEnabled(true);
        sstab1_->setCurrentIndex(1);
        if (loading_)
            loading_->finish();
        emit runFinished(true);
        return;
    }

    auto developed = std::make_shared<Development>(std::move(result->development));
    development_ = developed;
    developedConditions_ = runConditions_;
    showConditions(developedConditions_);
    visualizzaCosti();
    label19_->hide();
    label20_->hide();
    label3_->setText(fromStd(prediction_.text()));
    listing_->setDevelopment(development_);
    sstab1_->setEnabled(true);
    sstab1_->setCurrentIndex(1);
    if (loading_)
        loading_->finish();
    emit runFinished(false);
}

void OrtogonaliSuper::showConditions(const ConditionSet& developed)
{
    const ConditionDisplay display = conditionDisplay(developed);
    auto fill = [](QComboBox* combo, bool visible, const std::vector<std::string>& items) {
        combo->clear();
        for (const std::string& s : items)
            combo->addItem(fromStd(s));
        if (combo->count() > 0)
            combo->setCurrentIndex(0);
        combo->setVisible(visible);
    };
    fill(combo3_[0], display.fisseVisible, display.fisse);
    fill(combo3_[1], display.pariDispariVisible, display.pariDispari);
    fill(combo3_[2], display.sommaVisible, display.somma);
    fill(combo3_[3], display.consecutiviVisible, display.consecutivi);
    list4_->clear();
    for (const std::string& s : display.gruppi)
        list4_->addItem(fromStd(s));
    list4_->setVisible(display.gruppiVisible);
}

void OrtogonaliSuper::list4Clicked(int row)
{
    const std::string text = groupDisplayMessage(developedConditions_, row);
    if (!text.empty())
        Messages::show(this, fromStd(text), MessageIcon::None);
}

void OrtogonaliSuper::visualizzaCosti()
{
    const std::uint64_t columns = development_ ? development_->size() : 0;
    const Costs costs =
        sestara::visualizzaCosti(columns, combinazioniIntegrali(prediction_.count()), programsettings::costoColonnaCents());
    label2_->setText(formatCount(static_cast<std::int64_t>(costs.columns)));
    label7_->setText(fromStd(runEntryText_));
    label13_[0]->setText(label13_[1]->text());
    label10_->setText(formatMoney(costs.developedCents));
    label14_->setText(formatMoney(costs.fullCents));
    label15_->setText(formatMoney(costs.savingCents));
    label8_->setText(formatPercent(costs.percent));
    label17_->setText(formatCount(static_cast<std::int64_t>(costs.slips)));
    label11_->clear();
}

void OrtogonaliSuper::stopRun()
{
    if (!job_)
        return;
    job_->interruptAndWait();
    delete job_;
    job_ = nullptr;
    if (runControl_)
        runControl_->end(this);
    if (loading_)
        loading_->finish();
}

// ---------------------------------------------------------------------------------------------
// Closing

void OrtogonaliSuper::chiudi()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void OrtogonaliSuper::closeEvent(QCloseEvent* event)
{
    // A run of this window ends here; the worker is gone before the window is.
    stopRun();
    if (!unloaded_) {
        unloaded_ = true;
        emit unloaded(index_);
    }
    event->accept();
}

} // namespace sestara
