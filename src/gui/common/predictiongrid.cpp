#include "gui/common/predictiongrid.h"

#include "core/document/systemdocument.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>

namespace sestara {

PredictionGrid::PredictionGrid(QWidget* parent)
    : QTableWidget(kRows, kColumns, parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Selection highlight would hide the cell colours.
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(20);
    verticalHeader()->setMinimumSectionSize(16);

    const QColor header = QApplication::palette().color(QPalette::Button);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            item->setTextAlignment(Qt::AlignCenter);
            item->setForeground(QColor(Qt::black));
            if (r == 0 || c == 0) {
                item->setBackground(header);
                if (c == 0 && r >= 1)
                    item->setText(QStringLiteral("»"));
            } else {
                item->setText(QString::number(numberAt(r, c)));
                item->setBackground(freeColour());
            }
            setItem(r, c, item);
        }
    }
    setMinimumSize(11 * 28, 10 * 20);
}

int PredictionGrid::numberAt(int row, int column)
{
    return gridNumberAt(row, column);
}

int PredictionGrid::rowOf(int number)
{
    return (number - 1) / 10 + 1;
}

int PredictionGrid::columnOf(int number)
{
    return (number - 1) % 10 + 1;
}

QColor PredictionGrid::freeColour()
{
    return QColor(255, 255, 255);
}

QColor PredictionGrid::selectedColour()
{
    return QColor(0, 255, 0);
}

void PredictionGrid::setNumberSelected(int number, bool selected)
{
    setNumberColour(number, selected ? selectedColour() : freeColour());
}

bool PredictionGrid::isNumberGreen(int number) const
{
    return numberColour(number) == selectedColour();
}

void PredictionGrid::setNumberColour(int number, const QColor& colour)
{
    if (number < 1 || number > 90)
        return;
    QTableWidgetItem* cell = item(rowOf(number), columnOf(number));
    if (cell->background().color() != colour)
        cell->setBackground(colour);
}

QColor PredictionGrid::numberColour(int number) const
{
    if (number < 1 || number > 90)
        return QColor();
    return item(rowOf(number), columnOf(number))->background().color();
}

void PredictionGrid::clearNumbers()
{
    for (int n = 1; n <= 90; ++n)
        setNumberSelected(n, false);
}

void PredictionGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
}

} // namespace sestara
