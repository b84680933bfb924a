#pragma once

#include <QDialog>

class QCheckBox;
class QHBoxLayout;

namespace sestara {

// What every condition dialog has: it belongs to one system window (its tag), shows "Attiva",
// "OK" and "Annulla", and on "OK" lets its window store what it shows.
class ConditionDialog : public QDialog {
    Q_OBJECT
public:
    ConditionDialog(QWidget* mainWindow, const QString& objectName, const QString& title);

    // The index of the system window this dialog belongs to (its tag), 0 when untagged.
    int windowIndex() const;

    void setAttiva(bool on);
    bool attiva() const;

    // Shows the dialog modally without blocking the caller.
    void showModal();

signals:
    // "OK": the owning window stores the dialog's contents; the dialog then closes.
    void confirmed();

protected:
    // The bottom row: "Attiva" on the left, "OK" and "Annulla" (named cancelName) on the right.
    QHBoxLayout* attivaOkAnnullaRow(const QString& cancelName);
    // Called on "OK" before storing; false keeps the dialog open.
    virtual bool acceptable() { return true; }

private:
    void ok();

    QCheckBox* check1_ = nullptr;
};

} // namespace sestara
