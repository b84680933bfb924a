#include "gui/development/sumisuradialog.h"

#include "gui/development/formatting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sestara {

SuMisuraDialog::SuMisuraDialog(int numbers, double costoColonnaCents, const SuMisuraRequest& last, QWidget* parent)
    : QDialog(parent)
    , numbers_(numbers)
    , costoColonna_(costoColonnaCents)
{
    setObjectName(QStringLiteral("SuMisura"));
    setWindowTitle(QStringLiteral("Sistema su misura"));
    setWindowModality(Qt::WindowModal);

    guarantee_ = new QComboBox;
    guarantee_->setObjectName(QStringLiteral("ComboGaranzia"));
    // "2 se 2" to "5 se 6": six of six is the full system.
    for (int m = 2; m <= 6; ++m)
        for (int k = 2; k <= std::min(m, 5); ++k)
            guarantee_->addItem(QStringLiteral("%1 se %2").arg(k).arg(m), QPoint(k, m));
    limited_ = new QCheckBox(QStringLiteral("Colonne al massimo"));
    limited_->setObjectName(QStringLiteral("CheckColonne"));
    columns_ = new QSpinBox;
    columns_->setObjectName(QStringLiteral("SpinColonne"));
    columns_->setRange(1, static_cast<int>(kMaxSuMisuraColumns));
    columns_->setValue(100);
    columns_->setGroupSeparatorShown(true);
    cost_ = new QLabel;
    cost_->setObjectName(QStringLiteral("LabelCosto"));
    level_ = new QComboBox;
    level_->setObjectName(QStringLiteral("ComboLivello"));
    for (DesignLevel l : {DesignLevel::Rapido, DesignLevel::Normale, DesignLevel::Accurato})
        level_->addItem(QString::fromUtf8(levelName(l)), static_cast<int>(l));
    level_->setCurrentIndex(1);

    if (last.numbers == numbers) {
        guarantee_->setCurrentIndex(guarantee_->findData(QPoint(last.k, last.m)));
        limited_->setChecked(last.maxColumns > 0);
        if (last.maxColumns > 0)
            columns_->setValue(static_cast<int>(last.maxColumns));
        level_->setCurrentIndex(level_->findData(static_cast<int>(last.level)));
    } else {
        guarantee_->setCurrentIndex(guarantee_->findData(QPoint(3, 4)));
    }

    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(limited_);
    limitRow->addWidget(columns_);
    limitRow->addWidget(cost_, 1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Numeri:"), new QLabel(QString::number(numbers)));
    form->addRow(QStringLiteral("Garanzia:"), guarantee_);
    form->addRow(limitRow);
    form->addRow(QStringLiteral("Livello:"), level_);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("Annulla"));
    annulla->setObjectName(QStringLiteral("AnnullaButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(limited_, &QCheckBox::toggled, this, &SuMisuraDialog::showCost);
    connect(columns_, &QSpinBox::valueChanged, this, &SuMisuraDialog::showCost);
    connect(ok, &QPushButton::clicked, this, [this] {
        emit chosen(request());
        accept();
    });
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    showCost();
}

SuMisuraRequest SuMisuraDialog::request() const
{
    SuMisuraRequest r;
    r.numbers = numbers_;
    const QPoint g = guarantee_->currentData().toPoint();
    r.k = g.x();
    r.m = g.y();
    r.maxColumns = limited_->isChecked() ? static_cast<std::size_t>(columns_->value()) : 0;
    r.level = static_cast<DesignLevel>(level_->currentData().toInt());
    return r;
}

void SuMisuraDialog::showCost()
{
    columns_->setEnabled(limited_->isChecked());
    cost_->setText(limited_->isChecked() ? formatMoney(columns_->value() * costoColonna_) : QString());
}

} // namespace sestara
