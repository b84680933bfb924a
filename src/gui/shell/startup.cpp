#include "shell/startup.h"

#include "shell/appinfo.h"
#include "shell/messages.h"
#include "shell/singleinstance.h"

#include <QCoreApplication>

namespace sestara {

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("sestara"));
}

bool checkSingleInstance(SingleInstanceGuard& guard)
{
    if (guard.acquire())
        return true;
    // The program's name as the user knows it, not the lower-case name of the executable file.
    const QString text =
        QStringLiteral("Una copia di ") + appinfo::productName() + QStringLiteral(" è già in funzione");
    Messages::show(nullptr, text, MessageIcon::None, QMessageBox::Ok);
    return false;
}

} // namespace sestara
