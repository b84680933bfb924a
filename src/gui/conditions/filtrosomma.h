#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace sestara {

// The dialog of the sum condition of one system window: two scroll bars between the lowest and the
// highest sum a column of the prediction can have.
class FiltroSomma : public QDialog {
    Q_OBJECT
public:
    explicit FiltroSomma(QWidget* mainWindow);

    // The index of the system window this dialog belongs to (its tag), 0 when untagged.
    int windowIndex() const;

    void setLimits(int sommaMinima, int sommaMassima);
    void setValues(int minimo, int massimo);
    int minimo() const;
    int massimo() const;
    void setAttiva(bool on);
    bool attiva() const;

    void showModal();

signals:
    // "OK" with acceptable bounds: the owning window stores them; the dialog then closes.
    void confirmed();

private:
    void ok();

    QCheckBox* check1_ = nullptr;
    QScrollBar* hscroll1_ = nullptr;
    QScrollBar* hscroll2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
};

} // namespace sestara
