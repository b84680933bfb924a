#include "shell/startup.h"

#include "shell/appinfo.h"
#include "shell/mdiform1.h"
#include "shell/messages.h"
#include "shell/singleinstance.h"

#include <QCoreApplication>
#include <QStringList>

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

OrtogonaliSuper* openSystemFileArgument(MDIForm1& mainWindow, const QStringList& arguments)
{
    // The first argument is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty())
            return mainWindow.apriSistema(arguments[i]);
    return nullptr;
}

} // namespace sestara
