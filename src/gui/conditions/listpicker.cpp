#include "gui/conditions/listpicker.h"

#include "core/conditions/dialogrules.h"
#include "gui/common/messages.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

ListPicker::ListPicker(QWidget* mainWindow, const QString& objectName, const QString& title,
                       const QString& cancelName)
    : ConditionDialog(mainWindow, objectName, title)
{
    list1_ = new QListWidget;
    list1_->setObjectName(QStringLiteral("List1"));
    list2_ = new QListWidget;
    list2_->setObjectName(QStringLiteral("List2"));
    for (QListWidget* l : {list1_, list2_}) {
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        l->setMinimumWidth(60);
    }

    auto makeButton = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* aggiungi = makeButton(QStringLiteral("Command1_3"), QStringLiteral("Aggiungi"));
    QPushButton* elimina = makeButton(QStringLiteral("Command1_2"), QStringLiteral("Elimina"));
    QPushButton* svuota = makeButton(QStringLiteral("Command1_1"), QStringLiteral("Svuota Lista"));
    connect(aggiungi, &QPushButton::clicked, this, &ListPicker::aggiungi);
    connect(elimina, &QPushButton::clicked, this, &ListPicker::elimina);
    connect(svuota, &QPushButton::clicked, this, &ListPicker::svuota);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(aggiungi);
    buttons->addWidget(elimina);
    buttons->addWidget(svuota);
    buttons->addStretch();

    body_ = new QHBoxLayout;
    body_->addWidget(list1_);
    body_->addLayout(buttons);
    body_->addWidget(list2_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body_);
    layout->addLayout(attivaOkAnnullaRow(cancelName));
}

void ListPicker::setChoices(const QStringList& choices)
{
    list1_->clear();
    list1_->addItems(choices);
}

void ListPicker::setChosen(const QStringList& chosen)
{
    list2_->clear();
    list2_->addItems(chosen);
}

QStringList ListPicker::chosen() const
{
    QStringList texts;
    for (int i = 0; i < list2_->count(); ++i)
        texts << list2_->item(i)->text();
    return texts;
}

void ListPicker::selectFirstChoice()
{
    if (list1_->count() > 0)
        list1_->setCurrentRow(0);
}

void ListPicker::aggiungi()
{
    QListWidgetItem* item = list1_->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString text = item->text();
    const QStringList before = chosen();
    std::vector<std::string> texts;
    for (const QString& t : before)
        texts.push_back(t.toStdString());
    const std::string refusal = aggiungiVoce(texts, text.toStdString());
    // The chosen entries are selected one by one as they are compared: a duplicate stays selected,
    // otherwise the last entry does, and a following "Elimina" removes that one.
    list2_->setCurrentRow(static_cast<int>(refusal.empty() ? before.size() - 1 : before.indexOf(text)));
    if (!refusal.empty()) {
        Messages::show(this, QString::fromStdString(refusal), MessageIcon::Exclamation);
        return;
    }
    list2_->addItem(text);
    chosenChanged();
}

void ListPicker::elimina()
{
    QListWidgetItem* item = list2_->currentItem();
    if (item && item->isSelected()) {
        delete list2_->takeItem(list2_->row(item));
        // No entry is left selected, so a second "Elimina" removes nothing.
        list2_->setCurrentRow(-1);
    }
    chosenChanged();
}

void ListPicker::svuota()
{
    list2_->clear();
    chosenChanged();
}

void ListPicker::chosenChanged() {}

void ListPicker::setFixedChoices(const QStringList& choices)
{
    fixedChoices_ = choices;
    setChoices(choices);
}

void ListPicker::clear()
{
    setChoices(fixedChoices_);
    list2_->clear();
    setAttiva(false);
}

void ListPicker::hideEvent(QHideEvent* event)
{
    clear();
    QDialog::hideEvent(event);
}

} // namespace sestara
