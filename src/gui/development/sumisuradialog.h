#pragma once

#include "core/design/sumisura.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace sestara {

// "Sistema su misura": the guarantee, an optional limit of columns with what it costs, and the
// level of effort. Shown without blocking its caller; "OK" emits `chosen` with the request.
class SuMisuraDialog : public QDialog {
    Q_OBJECT
public:
    // For a prediction of `numbers` numbers, each column costing `costoColonnaCents`; it starts
    // from `last` when that was for as many numbers.
    SuMisuraDialog(int numbers, double costoColonnaCents, const SuMisuraRequest& last, QWidget* parent = nullptr);

    SuMisuraRequest request() const;

signals:
    void chosen(const sestara::SuMisuraRequest& request);

private:
    void showCost();

    int numbers_;
    double costoColonna_;
    QComboBox* guarantee_ = nullptr; // ComboGaranzia
    QCheckBox* limited_ = nullptr;   // CheckColonne
    QSpinBox* columns_ = nullptr;    // SpinColonne
    QLabel* cost_ = nullptr;         // LabelCosto
    QComboBox* level_ = nullptr;     // ComboLivello
};

} // namespace sestara
