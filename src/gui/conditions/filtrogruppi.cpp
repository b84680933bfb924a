#include "gui/conditions/filtrogruppi.h"

#include "core/conditions/dialogrules.h"
#include "core/util/text.h"
#include "gui/common/messages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

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

    // The defined groups as three parallel lists, kept out of sight.
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

void FiltroGruppi::append(const DefinedGroup& defined)
{
    defined_.push_back(defined);
    list3_->addItem(defined.name);
    gruppo1_[0]->addItem(QString::fromStdString(defined.group.numeri));
    gruppo1_[1]->addItem(QString::number(defined.group.puntiMin));
    gruppo1_[2]->addItem(QString::number(defined.group.puntiMax));
}

void FiltroGruppi::setGroups(const std::vector<Group>& groups)
{
    defined_.clear();
    list3_->clear();
    for (QComboBox* c : gruppo1_)
        c->clear();
    for (std::size_t g = 0; g < groups.size(); ++g)
        append({QString::fromStdString(groupName(static_cast<int>(g + 1))), groups[g]});
}

std::vector<Group> FiltroGruppi::groups() const
{
    std::vector<Group> groups;
    groups.reserve(defined_.size());
    for (const DefinedGroup& d : defined_)
        groups.push_back(d.group);
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
    const int minimo = valueOf(combo1_->currentText());
    const int massimo = valueOf(combo2_->currentText());
    const std::string refusal = inserisciGruppoError(list2()->count() == 0, minimo, massimo, list3_->count());
    if (!refusal.empty()) {
        Messages::show(this, QString::fromStdString(refusal), MessageIcon::Information);
        return;
    }
    std::vector<int> numbers;
    for (const QString& t : chosen())
        numbers.push_back(valueOf(t));
    append({QString::fromStdString(groupName(list3_->count() + 1)), Group{groupText(numbers), minimo, massimo}});
    list2()->clear();
}

void FiltroGruppi::eliminaGruppo()
{
    QListWidgetItem* item = list3_->currentItem();
    if (!item || !item->isSelected())
        return;
    const int row = list3_->row(item);
    defined_.erase(defined_.begin() + row);
    for (QComboBox* c : gruppo1_)
        c->removeItem(row);
    delete list3_->takeItem(row);
    list3_->setCurrentRow(-1);
}

void FiltroGruppi::groupClicked(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= defined_.size())
        return;
    const DefinedGroup& d = defined_[static_cast<std::size_t>(row)];
    Messages::show(this,
                   QString::fromStdString(groupEditorMessage(d.name.toStdString(), std::to_string(d.group.puntiMin),
                                                             std::to_string(d.group.puntiMax), d.group.numeri)),
                   MessageIcon::None);
}

void FiltroGruppi::clear()
{
    ListPicker::clear();
    combo1_->clear();
    combo2_->clear();
    setGroups({});
    setWindowTitle(kTitle);
}

} // namespace sestara
