#include "gui/conditions/filtroparidispari2.h"

namespace sestara {

FiltroPariDispari2::FiltroPariDispari2(QWidget* mainWindow)
    : ListPicker(mainWindow, QStringLiteral("FiltroPariDispari2"), QStringLiteral("Pari/Dispari"),
                 QStringLiteral("Command3"))
{
    setFixedChoices({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")});
    resize(277, 267);
}

} // namespace sestara
