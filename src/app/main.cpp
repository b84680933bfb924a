#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/singleinstance.h"
#include "gui/mainwindow/startup.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    sestara::setUpApplication();

    sestara::SingleInstanceGuard guard;
    if (!sestara::checkSingleInstance(guard))
        return 0;

    sestara::MDIForm1 mainWindow;
    mainWindow.show();
    // A file given on the command line opens once the main window is up.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] {
        sestara::openSystemFileArgument(mainWindow, QCoreApplication::arguments());
    });
    return app.exec();
}
