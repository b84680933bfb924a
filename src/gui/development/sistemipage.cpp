#include "gui/development/sistemipage.h"

#include "core/advice/advisor.h"
#include "core/development/catalogue.h"
#include "core/document/systemdocument.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"
#include "gui/common/predictiongrid.h"
#include "gui/development/formatting.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

using ui::button;
using ui::frame;
using ui::valueLabel;

SistemiPage::SistemiPage(SystemDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    grid_ = new PredictionGrid;
    connect(grid_, &QTableWidget::cellClicked, this, &SistemiPage::gridClicked);

    prediction_ = valueLabel(QStringLiteral("Label1"));
    prediction_->setWordWrap(true);
    prediction_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prediction_->setMinimumHeight(prediction_->fontMetrics().lineSpacing() * 3 + 4);
    count_ = valueLabel(QStringLiteral("Label4"), QStringLiteral("0"));
    evenOdd_ = valueLabel(QStringLiteral("Label21"), QStringLiteral("0 - 0"));
    combinations_ = valueLabel(QStringLiteral("Label13_1"), QStringLiteral("0"));

    sizes_ = new QComboBox;
    sizes_->setObjectName(QStringLiteral("Combo2"));
    for (const std::string& size : catalogueSizes())
        sizes_->addItem(QString::fromStdString(size));
    // A size chosen again still rebuilds the types, so both signals lead to the handler.
    connect(sizes_, &QComboBox::currentIndexChanged, this, &SistemiPage::sizeChosen);
    connect(sizes_, &QComboBox::activated, this, &SistemiPage::sizeChosen);
    types_ = new QComboBox;
    types_->setObjectName(QStringLiteral("Combo1"));
    types_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(types_, &QComboBox::currentIndexChanged, this, &SistemiPage::typeChosen);
    // Choosing the last type, even again, asks for the design made to measure.
    connect(types_, &QComboBox::activated, this, [this] {
        if (document_.customSelected())
            emit suMisuraChosen();
    });
    typesFrame_ = frame(QStringLiteral("Sistemi disponibili con 10 numeri:"), types_, QStringLiteral("Frame2"));

    superStar_ = ui::superStarBox(QStringLiteral("cboSuperStar"), QStringLiteral("Nessuno"));
    superStar_->setToolTip(QStringLiteral("Il numero SuperStar giocato con ogni colonna del sistema"));
    connect(superStar_, &QComboBox::currentIndexChanged, this, [this](int index) { document_.setSuperStar(index); });

    auto* side = new QVBoxLayout;
    side->addWidget(frame(QStringLiteral("In Gioco:"), count_, QStringLiteral("Frame8")));
    side->addWidget(frame(QStringLiteral("Par/Dis"), evenOdd_, QStringLiteral("Frame44")));
    side->addWidget(frame(QStringLiteral("Combinazioni Integrali :"), combinations_));
    side->addWidget(frame(QStringLiteral("Elementi :"), sizes_, QStringLiteral("Frame7")));
    side->addWidget(frame(QStringLiteral("SuperStar :"), superStar_, QStringLiteral("FrameSuperStar")));
    side->addStretch();

    auto* conditionsBox = new QGroupBox(QStringLiteral("Condizioni :"));
    auto* conditionsLayout = new QVBoxLayout(conditionsBox);
    const char* const names[5][2] = {{"Command15", "Fisse"},
                                     {"Command16", "Pari/Dispari"},
                                     {"Command17", "Consecutivi"},
                                     {"Command23", "Somma"},
                                     {"Command24", "Gruppi"}};
    for (std::size_t k = 0; k < conditionButtons_.size(); ++k) {
        conditionButtons_[k] = button(QString::fromLatin1(names[k][0]), QString::fromLatin1(names[k][1]));
        conditionsLayout->addWidget(conditionButtons_[k]);
    }
    QPushButton* annulla = button(QStringLiteral("Command1"), QStringLiteral("Annulla Condizioni"),
                                  QStringLiteral("Annulla Condizioni Attive"));
    connect(annulla, &QPushButton::clicked, this, &SistemiPage::annullaRequested);
    conditionsLayout->addWidget(annulla);
    conditionsLayout->addStretch();

    QPushButton* deselezionaButton = button(QStringLiteral("Command2"), QStringLiteral("Deseleziona"));
    connect(deselezionaButton, &QPushButton::clicked, this, &SistemiPage::deseleziona);
    QPushButton* elabora = button(QStringLiteral("Command4"), QStringLiteral("Elabora"), QStringLiteral("Elabora Sistema"));
    connect(elabora, &QPushButton::clicked, this, &SistemiPage::elaboraRequested);
    consiglia_ = button(QStringLiteral("Consiglia"), QString::fromUtf8(kConsiglia));
    connect(consiglia_, &QPushButton::clicked, this, &SistemiPage::consigliaRequested);
    QPushButton* chiudi = ui::chiudiButton(0);
    connect(chiudi, &QPushButton::clicked, this, &SistemiPage::chiudiRequested);

    status_ = valueLabel(QStringLiteral("Label11"));
    runCaption_ = valueLabel(QStringLiteral("Label19"), QStringLiteral("Colonne:"));
    runCount_ = valueLabel(QStringLiteral("Label20"), QStringLiteral("0"));
    runCaption_->hide();
    runCount_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(frame(QStringLiteral("Seleziona Pronostico"), grid_, QStringLiteral("Frame4")), 3);
    top->addLayout(side, 1);
    top->addWidget(conditionsBox, 1);

    auto* status = new QHBoxLayout;
    status->addWidget(status_);
    status->addSpacing(12);
    status->addWidget(runCaption_);
    status->addWidget(runCount_);
    status->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deselezionaButton);
    buttons->addStretch();
    buttons->addWidget(consiglia_);
    buttons->addWidget(elabora);
    buttons->addWidget(chiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(frame(QStringLiteral("Lista Pronostico :"), prediction_, QStringLiteral("Frame3")));
    layout->addWidget(typesFrame_);
    layout->addLayout(status);
    layout->addLayout(buttons);
}

void SistemiPage::showDocument()
{
    grid_->clearNumbers();
    for (int n : document_.prediction().numbers())
        grid_->setNumberSelected(n, true);
    showPrediction();
    showCatalogue();
    const QSignalBlocker block(superStar_);
    superStar_->setCurrentIndex(document_.superStar());
}

void SistemiPage::gridClicked(int row, int column)
{
    grid_->setUpdatesEnabled(false);
    const GridClickOutcome outcome = document_.clickGrid(row, column);
    for (int n : outcome.toggled)
        grid_->setNumberSelected(n, document_.prediction().isSelected(n));
    runCaption_->hide();
    runCount_->hide();
    showPrediction();
    if (outcome.sizeSelected)
        showCatalogue();
    grid_->setUpdatesEnabled(true);
    emit predictionChanged();
    if (outcome.limitReached)
        Messages::show(this, QString::fromUtf8(kMsgMassimo55), MessageIcon::Exclamation);
}

void SistemiPage::deseleziona()
{
    document_.deseleziona();
    grid_->clearNumbers();
    showPrediction();
    emit predictionChanged();
}

void SistemiPage::showPrediction()
{
    const Prediction& p = document_.prediction();
    prediction_->setText(QString::fromStdString(p.text()));
    count_->setText(QString::number(p.count()));
    evenOdd_->setText(QString::fromStdString(p.evenOddText()));
    combinations_->setText(formatCount(static_cast<std::int64_t>(combinazioniIntegrali(p.count()))));
    consiglia_->setEnabled(p.count() >= kMinPredictionSize && p.count() <= kMaxPredictionSize);
}

void SistemiPage::showCatalogue()
{
    const CatalogueSelection& s = document_.selection();
    {
        const QSignalBlocker blockSizes(sizes_);
        const QSignalBlocker blockTypes(types_);
        sizes_->setCurrentIndex(sizes_->findText(QString::fromStdString(s.sizeText)));
        types_->clear();
        for (const std::string& entry : s.types)
            types_->addItem(QString::fromStdString(entry));
        types_->setCurrentIndex(s.typeIndex);
    }
    if (s.typeIndex >= 0)
        typesFrame_->setTitle(QString::fromStdString(frameCaptionForEntry(s.entryText())));
}

void SistemiPage::sizeChosen(int index)
{
    if (index < 0)
        return;
    document_.selectSize(sizes_->itemText(index).toStdString());
    showCatalogue();
}

void SistemiPage::typeChosen(int index)
{
    document_.selectType(index);
    if (index >= 0)
        typesFrame_->setTitle(QString::fromStdString(frameCaptionForEntry(document_.selection().entryText())));
}

void SistemiPage::showRunStarted()
{
    status_->setText(QStringLiteral("Attendere..."));
    combinations_->setText(formatCount(static_cast<std::int64_t>(combinazioniIntegrali(document_.prediction().count()))));
    runCaption_->show();
    runCount_->show();
    runCount_->setText(QStringLiteral("0"));
}

void SistemiPage::showAccepted(quint64 accepted)
{
    runCount_->setText(QString::number(accepted));
}

void SistemiPage::showRunEnded(bool completed)
{
    status_->clear();
    if (completed) {
        runCaption_->hide();
        runCount_->hide();
    }
}

} // namespace sestara
