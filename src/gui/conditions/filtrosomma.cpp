#include "conditions/filtrosomma.h"

namespace sestara {

FiltroSomma::FiltroSomma(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FiltroSomma"));
    setWindowTitle(QStringLiteral("Somma"));
    setModal(true);
}

int FiltroSomma::windowIndex() const
{
    return property("tag").toString().toInt();
}

} // namespace sestara
