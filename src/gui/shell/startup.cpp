#include "shell/startup.h"

#include "shell/messages.h"
#include "shell/singleinstance.h"

namespace sestara {

QString secondCopyMessage(const QString& executableName)
{
    return QStringLiteral("Una copia di ") + executableName + QStringLiteral(" è già in funzione");
}

bool checkSingleInstance(SingleInstanceGuard& guard, const QString& executableName)
{
    if (guard.acquire())
        return true;
    Messages::show(nullptr, secondCopyMessage(executableName), MessageIcon::None, QMessageBox::Ok);
    return false;
}

} // namespace sestara
