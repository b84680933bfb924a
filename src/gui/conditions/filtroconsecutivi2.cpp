#include "gui/conditions/filtroconsecutivi2.h"

namespace sestara {

FiltroConsecutivi2::FiltroConsecutivi2(QWidget* mainWindow)
    : ListPicker(mainWindow, QStringLiteral("FiltroConsecutivi2"), QStringLiteral("Consecutivi"),
                 QStringLiteral("Command3"))
{
    setFixedChoices({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    resize(277, 267);
}

} // namespace sestara
