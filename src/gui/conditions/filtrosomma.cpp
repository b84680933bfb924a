#include "gui/conditions/filtrosomma.h"

#include "core/conditions/conditionset.h"
#include "gui/common/messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace sestara {

FiltroSomma::FiltroSomma(QWidget* mainWindow)
    : ConditionDialog(mainWindow, QStringLiteral("FiltroSomma"), QStringLiteral("Somma"))
{
    auto bound = [this](const QString& caption, const QString& barName, const QString& labelName, QScrollBar*& bar,
                        QLabel*& label) {
        bar = new QScrollBar(Qt::Horizontal);
        bar->setObjectName(barName);
        bar->setMinimumWidth(240);
        label = new QLabel(QStringLiteral("0"));
        label->setObjectName(labelName);
        label->setMinimumWidth(40);
        label->setAlignment(Qt::AlignCenter);
        connect(bar, &QScrollBar::valueChanged, label, [label](int v) { label->setNum(v); });
        auto* box = new QGroupBox(caption);
        auto* l = new QHBoxLayout(box);
        l->addWidget(bar, 1);
        l->addWidget(label);
        return box;
    };
    QGroupBox* minimo = bound(QStringLiteral("Minimo:"), QStringLiteral("HScroll1"), QStringLiteral("Label1"),
                              hscroll1_, label1_);
    QGroupBox* massimo = bound(QStringLiteral("Massimo:"), QStringLiteral("HScroll2"), QStringLiteral("Label2"),
                               hscroll2_, label2_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(minimo);
    layout->addWidget(massimo);
    layout->addLayout(attivaOkAnnullaRow(QStringLiteral("Command3")));
}

void FiltroSomma::setLimits(int sommaMinima, int sommaMassima)
{
    for (QScrollBar* bar : {hscroll1_, hscroll2_}) {
        bar->setMaximum(sommaMassima);
        bar->setMinimum(sommaMinima);
    }
}

void FiltroSomma::setValues(int minimo, int massimo)
{
    hscroll2_->setValue(massimo);
    hscroll1_->setValue(minimo);
    // A value equal to the bar's previous one sends no change: show both anyway.
    label1_->setNum(hscroll1_->value());
    label2_->setNum(hscroll2_->value());
}

int FiltroSomma::minimo() const
{
    return hscroll1_->value();
}

int FiltroSomma::massimo() const
{
    return hscroll2_->value();
}

bool FiltroSomma::acceptable()
{
    const std::string refusal = sommaOkError(attiva(), minimo(), massimo());
    if (refusal.empty())
        return true;
    Messages::show(this, QString::fromStdString(refusal), MessageIcon::Exclamation);
    return false;
}

} // namespace sestara
