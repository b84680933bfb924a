#include "conditions/filtrogruppi.h"

#include "conditions/dialogrules.h"
#include "shell/messages.h"
#include "util/text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

namespace {

const QString kTitle = QStringLiteral("Gruppi");

int valueOf(const QString& text)
{
    return static_cast<int>(std::min<std::int64_t>(numericValue(text.toStdString()), 1 << 20));
}

} // namespace

FiltroGruppi::FiltroGruppi(QWidget* mainWindow)
    : ListPicker(mainWindow, QStringLiteral("FiltroGruppi"), kTitle, QStringLiteral("Command3"))
{
    combo1_ = new QComboBox;
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo2_ = new QComboBox;
    combo2_->setObjectName(QStringLiteral("Combo2"));
    auto* punteggio = new QGroupBox(QStringLiteral("Punteggio:"));
    auto* scores = new QHBoxLayout(punteggio);
    scores->addWidget(new QLabel(QStringLiteral("Min")));
    scores->addWidget(combo1_);
    scores->addWidget(new QLabel(QStringLiteral("Max")));
    scores->addWidget(combo2_);

    auto* inserisci = new QPushButton(QStringLiteral("Inserisci Gruppo"));
    inserisci->setObjectName(QStringLiteral("Command2"));
    inserisci->setAutoDefault(false);
    connect(inserisci, &QPushButton::clicked, this, &FiltroGruppi::inserisciGruppo);

    list3_ = new QListWidget;
    list3_->setObjectName(QStringLiteral("List3"));
    list3_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list3_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { groupClicked(list3_->row(item)); });

    auto* elimina = new QPushButton(QStringLiteral("Elimina  Gruppo"));
    elimina->setObjectName(QStringLiteral("Command5"));
    elimina->setAutoDefault(false);
    connect(elimina, &QPushButton::clicked, this, &FiltroGruppi::eliminaGruppo);

    // The store of the defined groups, kept out of sight.
    for (int i = 0; i < 3; ++i) {
        gruppo1_[i] = new QComboBox(this);
        gruppo1_[i]->setObjectName(QStringLiteral("Gruppo1_%1").arg(i));
        gruppo1_[i]->hide();
    }

    auto* side = new QVBoxLayout;
    side->addWidget(punteggio);
    side->addWidget(inserisci);
    side->addWidget(list3_, 1);
    side->addWidget(elimina);
    body()->addLayout(side);
}

void FiltroGruppi::setWindowNumber(int number)
{
    setWindowTitle(kTitle + QStringLiteral("  ") + QString::number(number));
}

void FiltroGruppi::appendGroup(const QString& name, const QString& numbers, const QString& min, const QString& max)
{
    list3_->addItem(name);
    gruppo1_[0]->addItem(numbers);
    gruppo1_[1]->addItem(min);
    gruppo1_[2]->addItem(max);
}

void FiltroGruppi::setGroups(const std::vector<Group>& groups)
{
    list3_->clear();
    for (QComboBox* c : gruppo1_)
        c->clear();
    for (std::size_t g = 0; g < groups.size(); ++g)
        appendGroup(QString::fromStdString(groupName(static_cast<int>(g + 1))),
                    QString::fromStdString(groups[g].numeri), QString::number(groups[g].puntiMin),
                    QString::number(groups[g].puntiMax));
}

std::vector<Group> FiltroGruppi::groups() const
{
    std::vector<Group> groups;
    for (int k = 0; k < gruppo1_[0]->count(); ++k)
        groups.push_back(Group{gruppo1_[0]->itemText(k).toStdString(), valueOf(gruppo1_[1]->itemText(k)),
                               valueOf(gruppo1_[2]->itemText(k))});
    return groups;
}

void FiltroGruppi::chosenChanged()
{
    combo1_->clear();
    combo2_->clear();
    if (list2()->count() == 0)
        return;
    QStringList scores;
    for (const std::string& s : scoreChoices(list2()->count()))
        scores << QString::fromStdString(s);
    combo1_->addItems(scores);
    combo2_->addItems(scores);
    combo1_->setCurrentIndex(0);
    combo2_->setCurrentIndex(0);
}

void FiltroGruppi::inserisciGruppo()
{
    const std::string refusal =
        inserisciGruppoError(list2()->count() == 0, valueOf(combo1_->currentText()), valueOf(combo2_->currentText()));
    if (!refusal.empty()) {
        Messages::show(this, QString::fromStdString(refusal), MessageIcon::Information);
        return;
    }
    if (list3_->count() >= kMaxGroups) {
        Messages::show(this, QStringLiteral("Non si possono inserire più di %1 gruppi").arg(kMaxGroups),
                       MessageIcon::Information);
        return;
    }
    std::vector<int> numbers;
    for (const QString& t : chosen())
        numbers.push_back(valueOf(t));
    appendGroup(QString::fromStdString(groupName(list3_->count() + 1)), QString::fromStdString(groupText(numbers)),
                combo1_->currentText(), combo2_->currentText());
    list2()->clear();
}

void FiltroGruppi::eliminaGruppo()
{
    QListWidgetItem* item = list3_->currentItem();
    if (!item || !item->isSelected())
        return;
    const int row = list3_->row(item);
    for (QComboBox* c : gruppo1_)
        c->removeItem(row);
    delete list3_->takeItem(row);
}

void FiltroGruppi::groupClicked(int row)
{
    if (row < 0 || row >= gruppo1_[0]->count())
        return;
    Messages::show(this,
                   QString::fromStdString(groupEditorMessage(
                       list3_->item(row)->text().toStdString(), gruppo1_[1]->itemText(row).toStdString(),
                       gruppo1_[2]->itemText(row).toStdString(), gruppo1_[0]->itemText(row).toStdString())),
                   MessageIcon::None);
}

void FiltroGruppi::clear()
{
    ListPicker::clear();
    combo1_->clear();
    combo2_->clear();
    list3_->clear();
    for (QComboBox* c : gruppo1_)
        c->clear();
    setWindowTitle(kTitle);
}

} // namespace sestara
