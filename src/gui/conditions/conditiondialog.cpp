#include "gui/conditions/conditiondialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>

namespace sestara {

ConditionDialog::ConditionDialog(QWidget* mainWindow, const QString& objectName, const QString& title)
    : QDialog(mainWindow)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(true);
    check1_ = new QCheckBox(QStringLiteral("Attiva"));
    check1_->setObjectName(QStringLiteral("Check1"));
}

int ConditionDialog::windowIndex() const
{
    return property("tag").toString().toInt();
}

void ConditionDialog::setAttiva(bool on)
{
    check1_->setChecked(on);
}

bool ConditionDialog::attiva() const
{
    return check1_->isChecked();
}

void ConditionDialog::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    // Sized before its window is made, so no size limit changes on a window already shown.
    if (layout())
        layout()->activate();
    show();
    activateWindow();
}

QHBoxLayout* ConditionDialog::attivaOkAnnullaRow(const QString& cancelName)
{
    auto* okButton = new QPushButton(QStringLiteral("OK"));
    okButton->setObjectName(QStringLiteral("Command4"));
    okButton->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(cancelName);
    cancel->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &ConditionDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(check1_);
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancel);
    return row;
}

void ConditionDialog::ok()
{
    if (!acceptable())
        return;
    emit confirmed();
    accept();
}

} // namespace sestara
