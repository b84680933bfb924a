#include "printing/schedinapage.h"

#include "development/pagewidgets.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

SchedinaPage::SchedinaPage(QWidget* parent)
    : QWidget(parent)
{
    // This version prints no slips: its buttons are shown disabled.
    QPushButton* stampa = ui::button(QStringLiteral("Command8"), QStringLiteral("Stampa "), QStringLiteral("Stampa Schedine"));
    QPushButton* cancel = ui::button(QStringLiteral("Command7"), QStringLiteral("Cancel"), QStringLiteral("Pulisci Schedina"));
    stampa->setEnabled(false);
    cancel->setEnabled(false);
    QPushButton* chiudi = ui::chiudiButton(3);
    connect(chiudi, &QPushButton::clicked, this, &SchedinaPage::chiudiRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(ui::buttonRow({stampa, cancel}, chiudi));
}

} // namespace sestara
