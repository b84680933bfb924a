#include "gui/printing/schedinapage.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "gui/common/pagewidgets.h"
#include "gui/printing/slippicture.h"
#include "gui/printing/slipsmodel.h"
#include "gui/printing/urna.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace sestara {

namespace {

const char* const kHelp =
    "Dopo avere premuto il tasto <Gioca Sistema> nella sezione <Sviluppo>, attendere il caricamento "
    "delle schedine e premere sul tasto <Stampa> per avviare la stampa su schedina. Assicurarsi "
    "prima di aver impostato le schedine secondo i giusti paramtri di calibrazione.Per impostare i "
    "parametri di stampa accedere alla finestra <Opzioni> sulla barra di menu del programma.La "
    "stampa delle schedine può essere totale,ovvero di tutto il sistema  oppure parziale "
    "selezionado l'intervallo di stampa o anche singola selezionando una sola schedina. Con la "
    "funzione <Urna> è possibile inoltre compilare schedine singole indipendenti cliccando sui "
    "numeri  che automaticamente marcano quelli corrispondenti della schedinai.Premere sul tasto "
    "<Cancel> per cancellare i numeri selezionati con l'Urna. Selezionare i Pannelli per muoversi "
    "sulle diverse colonne della schedina.";

} // namespace

SchedinaPage::SchedinaPage(const Settings& settings, QWidget* parent)
    : QWidget(parent)
    , settings_(settings)
{
    picture_ = new SlipPicture(marks_, settings_);
    connect(picture_, &SlipPicture::clicked, this, &SchedinaPage::recordMark);

    urna_ = new Urna;
    connect(urna_, &Urna::numberPicked, this, &SchedinaPage::placeNumber);
    connect(urna_, &Urna::panelChosen, this, &SchedinaPage::panelChosen);
    connect(urna_, &Urna::cancelRequested, this, &SchedinaPage::cancel);

    slipsModel_ = new SlipsModel(true, this);
    rangeModel_ = new SlipsModel(false, this);
    slips_ = new QComboBox;
    slips_->setObjectName(QStringLiteral("Combo6"));
    showLongList(slips_, slipsModel_);
    connect(slips_, &QComboBox::activated, this, &SchedinaPage::slipChosen);
    intervallo_ = new QCheckBox(QStringLiteral("Intervallo"));
    intervallo_->setObjectName(QStringLiteral("Check1"));
    rangeFrom_ = new QComboBox;
    rangeFrom_->setObjectName(QStringLiteral("Combo7_0"));
    rangeTo_ = new QComboBox;
    rangeTo_->setObjectName(QStringLiteral("Combo7_1"));
    for (QComboBox* range : {rangeFrom_, rangeTo_}) {
        showLongList(range, rangeModel_);
        range->setEnabled(false);
    }
    connect(intervallo_, &QCheckBox::toggled, this, [this](bool checked) {
        rangeFrom_->setEnabled(checked);
        rangeTo_->setEnabled(checked);
    });
    auto* fromLabel = new QLabel(QStringLiteral("Stampa da :"));
    fromLabel->setBuddy(rangeFrom_);
    auto* toLabel = new QLabel(QStringLiteral("Fino a :"));
    toLabel->setBuddy(rangeTo_);

    selection_ = new QGroupBox(QStringLiteral("Seleziona schedina"));
    selection_->setObjectName(QStringLiteral("Frame38"));
    auto* selectionLayout = new QGridLayout(selection_);
    selectionLayout->addWidget(slips_, 0, 0, 1, 2);
    selectionLayout->addWidget(intervallo_, 1, 0, 1, 2);
    selectionLayout->addWidget(fromLabel, 2, 0);
    selectionLayout->addWidget(rangeFrom_, 2, 1);
    selectionLayout->addWidget(toLabel, 3, 0);
    selectionLayout->addWidget(rangeTo_, 3, 1);
    selectionLayout->setColumnStretch(1, 1);
    selection_->hide();

    status_ = ui::valueLabel(QStringLiteral("Label16"));
    status_->setWordWrap(true);
    auto* help = new QLabel(QString::fromUtf8(kHelp));
    help->setObjectName(QStringLiteral("Label24"));
    // Plain text: the help names the buttons in angle brackets.
    help->setTextFormat(Qt::PlainText);
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A column of its own beside the urn, narrow enough for the window's usual size.
    help->setMaximumWidth(help->fontMetrics().averageCharWidth() * 46);

    QPushButton* stampa = ui::button(QStringLiteral("Command8"), QStringLiteral("Stampa "), QStringLiteral("Stampa Schedine"));
    addPrintTargets(stampa, [this](PrintTarget target) { emit stampaRequested(target); });
    QPushButton* chiudi = ui::chiudiButton(3);
    connect(chiudi, &QPushButton::clicked, this, &SchedinaPage::chiudiRequested);

    auto* middle = new QVBoxLayout;
    middle->addWidget(urna_);
    middle->addWidget(status_);
    middle->addWidget(selection_);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(help);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture_, 3);
    top->addLayout(middle, 0);
    top->addLayout(right, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(ui::buttonRow({stampa}, chiudi));
}

SchedinaPage::~SchedinaPage() = default;

int SchedinaPage::selectedSlip() const
{
    return slips_->currentIndex();
}

bool SchedinaPage::intervallo() const
{
    return intervallo_->isChecked();
}

int SchedinaPage::rangeFrom() const
{
    return rangeFrom_->currentIndex();
}

int SchedinaPage::rangeTo() const
{
    return rangeTo_->currentIndex();
}

void SchedinaPage::loadSlips(std::shared_ptr<const Development> development)
{
    selezioneAttiva_ = false;
    slipsModel_->setSlips(0);
    rangeModel_->clear();
    intervallo_->setChecked(false);
    cancel();
    status_->setText(QStringLiteral("Attendere: caricamento delle schedine"));
    emit showRequested();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    development_ = std::move(development);
    slipCount_ = development_ ? static_cast<int>(caricaQuanteSchedine(development_->size())) : 0;
    slipsModel_->setSlips(slipCount_);
    rangeModel_->setSlips(slipCount_);
    status_->setText(QStringLiteral("Sistema pronto per la stampa"));
    for (QComboBox* list : {slips_, rangeFrom_, rangeTo_})
        list->setCurrentIndex(0);
    selection_->show();
    schedineCaricate_ = true;
    selezioneAttiva_ = true;
}

void SchedinaPage::endSlipMode()
{
    schedineCaricate_ = false;
}

void SchedinaPage::clearSlips()
{
    slipsModel_->clear();
    rangeModel_->clear();
    rangeFrom_->setEnabled(false);
    rangeTo_->setEnabled(false);
    selection_->hide();
    marks_.clear();
    picture_->update();
    status_->clear();
    development_.reset();
    slipCount_ = 0;
    schedineCaricate_ = false;
}

void SchedinaPage::selectSlip(int index)
{
    slips_->setCurrentIndex(index);
    slipChosen(index);
}

void SchedinaPage::setSelezioneAttiva(bool active)
{
    selezioneAttiva_ = active;
}

void SchedinaPage::showMarks(const MarkList& marks)
{
    marks_ = marks;
    picture_->update();
}

void SchedinaPage::setStatus(const QString& text)
{
    status_->setText(text);
}

void SchedinaPage::cancel()
{
    marks_.clear();
    picture_->update();
    urna_->reset();
    if (slips_->count() > 0)
        slips_->setCurrentIndex(0);
}

void SchedinaPage::slipChosen(int index)
{
    if (index > 0 && schedineCaricate_ && selezioneAttiva_)
        preview(index);
}

void SchedinaPage::preview(int slip)
{
    marks_.clear();
    picture_->update();
    const std::size_t first = static_cast<std::size_t>(slip - 1) * kColumnsPerSlip;
    if (!development_ || slip < 1 || first >= development_->size())
        return;
    if (!recordSlip(marks_, *development_, static_cast<std::uint64_t>(slip)))
        QApplication::beep();
    marks_.markAsPreview();
    // The panel list ends on the panel of the slip's last column, as if the user had chosen it.
    const std::size_t columns = std::min<std::size_t>(kColumnsPerSlip, development_->size() - first);
    if (urna_->setPanel(static_cast<int>(columns) - 1))
        panelChosen();
}

void SchedinaPage::placeNumber(int number)
{
    if (const auto point = numberPosition(number, urna_->panel()))
        recordMark(*point);
}

void SchedinaPage::recordMark(SlipPoint point)
{
    if (!marks_.record(point)) {
        QApplication::beep();
        return;
    }
    picture_->update();
}

void SchedinaPage::panelChosen()
{
    if (selezioneAttiva_)
        urna_->reset();
}

} // namespace sestara
