#include "gui/mainwindow/filehandoff.h"
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
    if (!sestara::checkSingleInstance(guard, QCoreApplication::arguments()))
        return 0;

    sestara::MDIForm1 mainWindow;
    mainWindow.show();
    // Files opened while the program runs (a double-click on a ".sup" file) come here.
    if (guard.held())
        mainWindow.acceptHandedFiles(sestara::FileHandoff::socketPath(guard.lockPath()));
    // A file given on the command line opens once the main window is up.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] {
        sestara::openSystemFileArgument(mainWindow, QCoreApplication::arguments());
    });
    return app.exec();
}
