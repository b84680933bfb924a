#include "gui/development/sviluppopage.h"

#include "core/conditions/conditionset.h"
#include "core/development/run.h"
#include "core/document/systemdocument.h"
#include "core/guarantees/guarantees.h"
#include "core/settings/settings.h"
#include "core/systemfiles/savename.h"
#include "core/systemfiles/systemfile.h"
#include "core/util/files.h"
#include "gui/common/appinfo.h"
#include "gui/common/filedialogs.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"
#include "gui/development/formatting.h"
#include "gui/development/listingmodel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

using ui::button;
using ui::frame;
using ui::valueLabel;

namespace {

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

void fill(QComboBox* combo, bool visible, const std::vector<std::string>& items)
{
    combo->clear();
    for (const std::string& s : items)
        combo->addItem(QString::fromStdString(s));
    if (combo->count() > 0)
        combo->setCurrentIndex(0);
    combo->setVisible(visible);
}

} // namespace

SviluppoPage::SviluppoPage(const SystemDocument& document, const Settings& settings, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , settings_(settings)
{
    listing_ = new ListingModel(this);
    testo_ = new QListView;
    testo_->setObjectName(QStringLiteral("Testo"));
    testo_->setModel(listing_);
    testo_->setUniformItemSizes(true);
    testo_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    testo_->setSelectionMode(QAbstractItemView::SingleSelection);
    testo_->setFont(listingFont());
    testo_->setMinimumWidth(
        QFontMetrics(listingFont()).horizontalAdvance(QStringLiteral("0000000    >   00-00-00-00-00-00")) + 30);

    type_ = valueLabel(QStringLiteral("Label7"));
    guarantee_ = valueLabel(QStringLiteral("LabelGaranzia"));
    guarantee_->hide();
    prediction_ = valueLabel(QStringLiteral("Label3"));
    prediction_->setWordWrap(true);
    prediction_->setMinimumHeight(prediction_->fontMetrics().lineSpacing() * 3 + 4);
    prediction_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    combinations_ = valueLabel(QStringLiteral("Label13_0"));
    columns_ = valueLabel(QStringLiteral("Label2"));
    fullCost_ = valueLabel(QStringLiteral("Label14"));
    cost_ = valueLabel(QStringLiteral("Label10"));
    saving_ = valueLabel(QStringLiteral("Label15"));
    percent_ = valueLabel(QStringLiteral("Label8"), QStringLiteral("0 %"));
    slips_ = valueLabel(QStringLiteral("Label17"));
    superStar_ = valueLabel(QStringLiteral("lblSuperStar"));
    superStar_->hide();
    receipts_ = valueLabel(QStringLiteral("lblRicevute"));
    receipts_->setWordWrap(true);
    receipts_->hide();

    auto* figures = new QGridLayout;
    figures->addWidget(frame(QStringLiteral("Sistema Tipo :"), type_, QStringLiteral("Frame16")), 0, 0, 1, 2);
    figures->addWidget(frame(QStringLiteral("Lista Pronostico :"), prediction_), 1, 0, 1, 2);
    figures->addWidget(frame(QStringLiteral("Combinazioni Integrali :"), combinations_), 2, 0);
    figures->addWidget(frame(QStringLiteral("Combinazioni Giocate :"), columns_), 2, 1);
    figures->addWidget(frame(QStringLiteral("Costo Sistema Integrale :"), fullCost_), 3, 0);
    figures->addWidget(frame(QStringLiteral("Costo Sistema Elaborato:"), cost_), 3, 1);
    figures->addWidget(frame(QStringLiteral("Risparmio :"), saving_), 4, 0);
    figures->addWidget(frame(QStringLiteral("Percentuale Riduzione:"), percent_), 4, 1);
    figures->addWidget(frame(QStringLiteral("Schedine Totali:"), slips_), 5, 0);
    auto* notes = new QVBoxLayout;
    notes->addWidget(superStar_);
    notes->addWidget(receipts_);
    notes->addWidget(guarantee_);
    figures->addLayout(notes, 5, 1);

    const QString captions[4] = {QStringLiteral("Fisse"), QStringLiteral("Pari / Dispari"), QStringLiteral("Somma"),
                                 QStringLiteral("Consecutivi")};
    auto* conditionsBox = new QGroupBox(QStringLiteral("Condizioni:"));
    auto* conditionsLayout = new QGridLayout(conditionsBox);
    for (int k = 0; k < 4; ++k) {
        auto* combo = new QComboBox;
        combo->setObjectName(QStringLiteral("Combo3_%1").arg(k));
        combo->hide();
        conditionLists_[static_cast<std::size_t>(k)] = combo;
        conditionsLayout->addWidget(frame(captions[k], combo), k / 2, k % 2);
    }
    groups_ = new QListWidget;
    groups_->setObjectName(QStringLiteral("List4"));
    groups_->setMaximumHeight(groups_->fontMetrics().lineSpacing() * 4 + 8);
    groups_->hide();
    connect(groups_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { groupClicked(groups_->row(item)); });
    conditionsLayout->addWidget(frame(QStringLiteral("Gruppi"), groups_), 2, 0, 1, 2);
    figures->addWidget(conditionsBox, 6, 0, 1, 2);
    figures->setRowStretch(7, 1);

    QPushButton* salva = button(QStringLiteral("Command14"), QStringLiteral("Salva"), QStringLiteral("Salva Sistema su File"));
    connect(salva, &QPushButton::clicked, this, &SviluppoPage::saveSystem);
    QPushButton* stampa = button(QStringLiteral("Command6"), QStringLiteral("Stampa"), QStringLiteral("Stampa Sviluppo"));
    addPrintTargets(stampa, [this](PrintTarget target) { emit stampaRequested(target); });
    QPushButton* gioca = button(QStringLiteral("Command5"), QStringLiteral("Gioca Sistema"),
                                QStringLiteral("Stampa Sviluppo su Schedina"));
    connect(gioca, &QPushButton::clicked, this, &SviluppoPage::giocaSistema);
    garanzie_ = button(QStringLiteral("CommandGaranzie"), QStringLiteral("Garanzie"));
    connect(garanzie_, &QPushButton::clicked, this, [this] {
        if (hasColumns(document_.developed()))
            emit garanzieRequested();
        else
            Messages::show(this, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
    });
    enableGaranzie();
    QPushButton* chiudi = ui::chiudiButton(1);
    connect(chiudi, &QPushButton::clicked, this, &SviluppoPage::chiudiRequested);

    auto* top = new QHBoxLayout;
    top->addWidget(frame(QStringLiteral("Colonne:"), testo_, QStringLiteral("Frame41")), 1);
    top->addLayout(figures, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(ui::buttonRow({salva, stampa, gioca, garanzie_}, chiudi));
}

void SviluppoPage::enableGaranzie()
{
    const bool enabled = hasColumns(document_.developed());
    garanzie_->setEnabled(enabled);
    garanzie_->setToolTip(enabled ? QString() : QString::fromUtf8(kMsgElaborareSistema));
}

void SviluppoPage::clearForRun()
{
    type_->clear();
    guarantee_->clear();
    guarantee_->hide();
    slips_->clear();
    prediction_->clear();
    for (QLabel* l : {cost_, combinations_, fullCost_, saving_, columns_, percent_})
        l->setText(QStringLiteral("0"));
    superStar_->hide();
    receipts_->hide();
    for (QComboBox* c : conditionLists_) {
        c->clear();
        c->hide();
    }
    groups_->clear();
    groups_->hide();
    listing_->clear();
    enableGaranzie();
}

void SviluppoPage::showInterrupted()
{
    type_->setText(QStringLiteral("Elaborazione Interrotta"));
    enableGaranzie();
}

void SviluppoPage::showDeveloped()
{
    const DevelopedSystem* developed = document_.developed();
    if (!developed)
        return;
    const ConditionDisplay display = conditionDisplay(developed->conditions);
    fill(conditionLists_[0], display.fisseVisible, display.fisse);
    fill(conditionLists_[1], display.pariDispariVisible, display.pariDispari);
    fill(conditionLists_[2], display.sommaVisible, display.somma);
    fill(conditionLists_[3], display.consecutiviVisible, display.consecutivi);
    groups_->clear();
    for (const std::string& s : display.gruppi)
        groups_->addItem(QString::fromStdString(s));
    groups_->setVisible(display.gruppiVisible);

    const Costs costs = developed->costs(columnPrices(settings_));
    type_->setText(QString::fromStdString(developed->entryText));
    if (developed->guaranteeTotal > 0) {
        const QString share = ui::shareText(developed->guaranteeCovered, developed->guaranteeTotal);
        guarantee_->setText(QString::fromStdString(
            suMisuraGuaranteeLine(developed->guaranteeK, developed->guaranteeM, share.toStdString())));
    }
    guarantee_->setVisible(developed->guaranteeTotal > 0);
    prediction_->setText(QString::fromStdString(developed->predictionText()));
    combinations_->setText(formatCount(static_cast<std::int64_t>(costs.fullCombinations)));
    columns_->setText(formatCount(static_cast<std::int64_t>(costs.columns)));
    cost_->setText(formatMoney(costs.developedCents));
    fullCost_->setText(formatMoney(costs.fullCents));
    saving_->setText(formatMoney(costs.savingCents));
    percent_->setText(formatPercent(costs.percent));
    slips_->setText(QString::number(costs.slips)); // the plain integer, unlike the other counts
    superStar_->setText(QString::fromUtf8(kMsgQuotaSuperStar)
                            .arg(developed->superStar)
                            .arg(formatMoney(costs.superStarCents)));
    superStar_->setVisible(developed->superStar != 0);
    receipts_->setText(QString::fromUtf8(kMsgRicevute)
                           .arg(formatCount(static_cast<std::int64_t>(costs.receipts)),
                                formatCount(static_cast<std::int64_t>(kMaxColonneRicevuta))));
    receipts_->setVisible(costs.receipts > 0);

    listing_->setDevelopment(developed->development);
    testo_->setCurrentIndex(QModelIndex());
    testo_->scrollToTop();
    enableGaranzie();
}

QString SviluppoPage::costText() const
{
    return cost_->text();
}

void SviluppoPage::giocaSistema()
{
    const DevelopedSystem* developed = document_.developed();
    if (!hasColumns(developed)) {
        Messages::show(this, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
        return;
    }
    const auto answer = Messages::show(this,
                                       QStringLiteral("Assicurarsi che le schedine siano inserite nel caricatore\n"
                                                      "Premere il tasto   <Stampa>   per avviare   \n"
                                                      "Tutto lo sviluppo del sistema sarà stampato automaticamente\n"
                                                      "Per Annullare richiamare la coda di stampa del sistema"),
                                       MessageIcon::None, QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok)
        emit giocaSistemaRequested();
    else
        emit giocaSistemaCancelled();
}

void SviluppoPage::groupClicked(int row)
{
    const DevelopedSystem* developed = document_.developed();
    if (!developed)
        return;
    const std::string text = groupDisplayMessage(developed->conditions, row);
    if (!text.empty())
        Messages::show(this, QString::fromStdString(text), MessageIcon::None);
}

void SviluppoPage::saveSystem()
{
    // A development that conditions left empty is refused like the other uses of the listing.
    if (!hasColumns(document_.developed())) {
        Messages::show(this, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
        return;
    }
    const QString chosen = FileDialogs::saveFileName(this, QStringLiteral("Salva Sistema su File"),
                                                     appinfo::systemsFolder(),
                                                     QStringLiteral("Sistemi Files (*.sup)"));
    if (chosen.isEmpty())
        return;

    const QFileInfo info(chosen);
    const QDir folder = info.dir();
    QString fileName = QString::fromStdString(withSystemExtension(info.fileName().toStdString()));
    if (const std::string problem = saveNameProblem(info.fileName().toStdString()); !problem.empty()) {
        Messages::show(this, QString::fromStdString(problem), MessageIcon::Exclamation);
        return;
    }
    // An existing file of the same name in another letter case is the one replaced, under its
    // own name, so the folder never holds two names differing only in case.
    std::vector<std::string> names;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        names.push_back(name.toStdString());
    if (const auto existing = existingFileName(names, fileName.toStdString())) {
        fileName = QString::fromStdString(*existing);
        if (!confirmReplace(this, fileName))
            return;
    }
    if (!writeSystem(folder.filePath(fileName)))
        return;
    emit saved(QString::fromStdString(systemName(fileName.toStdString())));
}

bool SviluppoPage::writeSystem(const QString& path)
{
    const std::string text = systemFileText(document_.developed()->savedSystem());
    // The text goes to a temporary file beside the target, which replaces the old file only once
    // it is complete: a failed save leaves the old system as it was.
    const std::string error = writeFileAtomically(QFile::encodeName(path).toStdString(), text);
    if (error.empty())
        return true;
    Messages::show(this,
                   QStringLiteral("Errore nel salvataggio del sistema\nimpossibile scrivere il file ") +
                       QDir::toNativeSeparators(path) + QStringLiteral(": ") + QString::fromStdString(error),
                   MessageIcon::Critical);
    return false;
}

} // namespace sestara
