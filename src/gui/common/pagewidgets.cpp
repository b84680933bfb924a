#include "gui/common/pagewidgets.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara::ui {

QGroupBox* frame(const QString& caption, QWidget* content, const QString& name)
{
    auto* box = new QGroupBox(caption);
    if (!name.isEmpty())
        box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(content);
    return box;
}

QLabel* valueLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    return label;
}

QPushButton* button(const QString& name, const QString& caption, const QString& toolTip)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    b->setAutoDefault(false);
    return b;
}

QDateEdit* dateEdit(const QString& name)
{
    auto* e = new QDateEdit;
    e->setObjectName(name);
    e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    e->setCalendarPopup(true);
    return e;
}

QPushButton* chiudiButton(int element)
{
    return button(QStringLiteral("Command13_%1").arg(element), QStringLiteral("Chiudi"),
                  QStringLiteral("Chiudi Finestra"));
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, QPushButton* chiudi)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons)
        row->addWidget(b);
    row->addStretch();
    row->addWidget(chiudi);
    return row;
}

} // namespace sestara::ui
