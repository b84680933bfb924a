#include "conditions/filtrogruppi.h"

namespace sestara {

FiltroGruppi::FiltroGruppi(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FiltroGruppi"));
    setWindowTitle(QStringLiteral("Gruppi"));
    setModal(true);
}

int FiltroGruppi::windowIndex() const
{
    return property("tag").toString().toInt();
}

} // namespace sestara
