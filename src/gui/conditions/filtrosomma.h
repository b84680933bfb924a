#pragma once

#include "gui/conditions/conditiondialog.h"

class QLabel;
class QScrollBar;

namespace sestara {

// The dialog of the sum condition of one system window: two scroll bars between the lowest and the
// highest sum a column of the prediction can have.
class FiltroSomma : public ConditionDialog {
    Q_OBJECT
public:
    explicit FiltroSomma(QWidget* mainWindow);

    void setLimits(int sommaMinima, int sommaMassima);
    void setValues(int minimo, int massimo);
    int minimo() const;
    int massimo() const;

protected:
    // A minimum above the maximum is refused while "Attiva" is checked.
    bool acceptable() override;

private:
    QScrollBar* hscroll1_ = nullptr;
    QScrollBar* hscroll2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
};

} // namespace sestara
