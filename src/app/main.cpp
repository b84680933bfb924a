#include "shell/appinfo.h"
#include "shell/mdiform1.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sestara"));
    QApplication::setApplicationDisplayName(sestara::appinfo::productName());

    sestara::SingleInstanceGuard guard;
    if (!sestara::checkSingleInstance(guard, sestara::appinfo::executableName()))
        return 0;

    sestara::MDIForm1 mainWindow;
    mainWindow.show();
    return app.exec();
}
