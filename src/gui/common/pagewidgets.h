#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>

class QComboBox;
class QDate;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;

namespace sestara::ui {

// A captioned frame around one control.
QGroupBox* frame(const QString& caption, QWidget* content, const QString& name = QString());
// A label that shows a value the user may select and copy.
QLabel* valueLabel(const QString& name, const QString& text = QString());

// A share as the windows show it: nothing for none, "100 %" only for all, else in the locale with
// the decimals it needs not to read as either.
QString shareText(std::uint64_t part, std::uint64_t whole);
// A SuperStar list: `none` at index 0, then the numbers 1 to 90, each at its own index.
QComboBox* superStarBox(const QString& name, const QString& none);
// A push button that never becomes the default button of its window.
QPushButton* button(const QString& name, const QString& caption, const QString& toolTip = QString());
// A date as dd/MM/yyyy, with a calendar to pick it from.
QDateEdit* dateEdit(const QString& name);
// A day as the draws keep it (YYYYMMDD) and as Qt does.
QDate dateOfDay(int day);
int dayOfDate(const QDate& date);
// "Dal" `from` "al" `to`: the period of a window over the draws.
QHBoxLayout* periodRow(QDateEdit* from, QDateEdit* to);
// A table to read, not to edit: whole rows selected, columns as wide as their contents.
QTableWidget* readOnlyTable(const QString& name, int rows, const QStringList& captions);
// "Chiudi", element `element` of the window's close buttons (one per tab).
QPushButton* chiudiButton(int element);
// A tab's bottom row: its buttons on the left, "Chiudi" on the right.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, QPushButton* chiudi);

} // namespace sestara::ui
