#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QHBoxLayout;
class QListWidget;
class QPushButton;

namespace sestara {

// A condition dialog that picks entries from a list of choices (`List1`) into a chosen list
// (`List2`), with "Attiva", "OK" and "Annulla". It belongs to one system window (its tag) and keeps
// nothing between showings: the window fills it before each showing and it is emptied when closed.
class ListPicker : public QDialog {
    Q_OBJECT
public:
    ListPicker(QWidget* mainWindow, const QString& objectName, const QString& title, const QString& cancelName);

    // The index of the system window this dialog belongs to (its tag), 0 when untagged.
    int windowIndex() const;

    void setChoices(const QStringList& choices);
    void setChosen(const QStringList& chosen);
    QStringList chosen() const;
    void setAttiva(bool on);
    bool attiva() const;
    void selectFirstChoice();

    // Shows the dialog modally without blocking the caller.
    void showModal();

signals:
    // "OK": the owning window stores the dialog's contents; the dialog then closes.
    void confirmed();

protected:
    void hideEvent(QHideEvent* event) override;
    // After "Aggiungi" added an entry, "Elimina" removed one, or "Svuota Lista" emptied the list.
    virtual void chosenChanged();
    // Empties what the dialog shows.
    virtual void clear();
    // Called on "OK" before storing; false keeps the dialog open.
    virtual bool acceptable() { return true; }

    // Choices that belong to the dialog itself, kept across showings.
    void setFixedChoices(const QStringList& choices);

    QHBoxLayout* body() const { return body_; }
    QListWidget* list1() const { return list1_; }
    QListWidget* list2() const { return list2_; }

private:
    void aggiungi();
    void elimina();
    void svuota();
    void ok();

    QHBoxLayout* body_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QStringList fixedChoices_;
};

} // namespace sestara
