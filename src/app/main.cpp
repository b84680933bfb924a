#include "shell/mdiform1.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    sestara::setUpApplication();

    sestara::SingleInstanceGuard guard;
    if (!sestara::checkSingleInstance(guard))
        return 0;

    sestara::MDIForm1 mainWindow;
    mainWindow.show();
    return app.exec();
}
