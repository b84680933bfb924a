#include "conditions/filtropresenzesuper.h"

namespace sestara {

FiltroPresenzeSuper::FiltroPresenzeSuper(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FiltroPresenzeSuper"));
    setWindowTitle(QStringLiteral("Fisse"));
    setModal(true);
}

int FiltroPresenzeSuper::windowIndex() const
{
    return property("tag").toString().toInt();
}

} // namespace sestara
