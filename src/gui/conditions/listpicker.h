#pragma once

#include "gui/conditions/conditiondialog.h"

#include <QStringList>

class QHBoxLayout;
class QListWidget;
class QPushButton;

namespace sestara {

// A condition dialog that picks entries from a list of choices (`List1`) into a chosen list
// (`List2`). It keeps nothing between showings: the window fills it before each showing and it is
// emptied when closed.
class ListPicker : public ConditionDialog {
    Q_OBJECT
public:
    ListPicker(QWidget* mainWindow, const QString& objectName, const QString& title, const QString& cancelName);

    void setChoices(const QStringList& choices);
    void setChosen(const QStringList& chosen);
    QStringList chosen() const;
    void selectFirstChoice();

protected:
    void hideEvent(QHideEvent* event) override;
    // After "Aggiungi" added an entry, after every "Elimina" (whether or not it removed one), and
    // after "Svuota Lista".
    virtual void chosenChanged();
    // Empties what the dialog shows.
    virtual void clear();
    // Choices that belong to the dialog itself, kept across showings.
    void setFixedChoices(const QStringList& choices);

    QHBoxLayout* body() const { return body_; }
    QListWidget* list1() const { return list1_; }
    QListWidget* list2() const { return list2_; }

private:
    void aggiungi();
    void elimina();
    void svuota();

    QHBoxLayout* body_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QStringList fixedChoices_;
};

} // namespace sestara
