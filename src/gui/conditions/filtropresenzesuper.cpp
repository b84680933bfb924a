#include "gui/conditions/filtropresenzesuper.h"

namespace sestara {

FiltroPresenzeSuper::FiltroPresenzeSuper(QWidget* mainWindow)
    : ListPicker(mainWindow, QStringLiteral("FiltroPresenzeSuper"), QStringLiteral("Presenze"),
                 QStringLiteral("Command5"))
{
}

} // namespace sestara
