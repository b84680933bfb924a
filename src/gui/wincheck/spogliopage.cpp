#include "wincheck/spogliopage.h"

#include "development/pagewidgets.h"

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

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(ui::buttonRow({spoglio, vincenti}, chiudi));
}

} // namespace sestara
