#include "conditions/filtroconsecutivi2.h"

namespace sestara {

FiltroConsecutivi2::FiltroConsecutivi2(QWidget* mainWindow)
    : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("FiltroConsecutivi2"));
    setWindowTitle(QStringLiteral("Consecutivi"));
    setModal(true);
}

int FiltroConsecutivi2::windowIndex() const
{
    return property("tag").toString().toInt();
}

} // namespace sestara
