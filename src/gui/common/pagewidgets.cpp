#include "gui/common/pagewidgets.h"

#include "core/guarantees/guarantees.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
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

QString shareText(std::uint64_t part, std::uint64_t whole)
{
    if (part == 0 || whole == 0)
        return QString();
    if (part >= whole)
        return QStringLiteral("100 %");
    const double percent = static_cast<double>(part) * 100.0 / static_cast<double>(whole);
    return QLocale().toString(percent, 'f', shareDecimals(part, whole)) + QStringLiteral(" %");
}

QLabel* valueLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    return label;
}

QComboBox* superStarBox(const QString& name, const QString& none)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItem(none);
    for (int n = 1; n <= 90; ++n)
        box->addItem(QString::number(n));
    box->setMaxVisibleItems(15);
    return box;
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

QDate dateOfDay(int day)
{
    return QDate(day / 10000, day / 100 % 100, day % 100);
}

int dayOfDate(const QDate& date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QHBoxLayout* periodRow(QDateEdit* from, QDateEdit* to)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Dal")));
    row->addWidget(from);
    row->addWidget(new QLabel(QStringLiteral("al")));
    row->addWidget(to);
    return row;
}

QTableWidget* readOnlyTable(const QString& name, int rows, const QStringList& captions)
{
    auto* table = new QTableWidget(rows, static_cast<int>(captions.size()));
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(captions);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
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
