#include "wincheck/spogliopage.h"

#include "development/pagewidgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sestara {

SpoglioPage::SpoglioPage(QWidget* parent)
    : QWidget(parent)
{
    // This version has no win check: its buttons are shown disabled.
    QPushButton* spoglio = ui::button(QStringLiteral("Command12"), QStringLiteral("Spoglio"), QStringLiteral("Ricerca Vincite"));
    QPushButton* vincenti = ui::button(QStringLiteral("Command22"), QStringLiteral("Schedine Vincenti"),
                                       QStringLiteral("Visualizza schedine vincenti"));
    spoglio->setEnabled(false);
    vincenti->setEnabled(false);
    QPushButton* chiudi = ui::chiudiButton(2);
    connect(chiudi, &QPushButton::clicked, this, &SpoglioPage::chiudiRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(spoglio);
    buttons->addWidget(vincenti);
    buttons->addStretch();
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(buttons);
}

} // namespace sestara
