#include "conditions/filtroparidispari2.h"

namespace sestara {

FiltroPariDispari2::FiltroPariDispari2(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FiltroPariDispari2"));
    setWindowTitle(QStringLiteral("Pari/Dispari"));
    setModal(true);
}

int FiltroPariDispari2::windowIndex() const
{
    return property("tag").toString().toInt();
}

} // namespace sestara
