#include "gui/mainwindow/filehandoff.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/mainwindow/singleinstance.h"
#include "gui/mainwindow/startup.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // "--help" and "--version" answer without a display, a window or the single-instance guard.
    if (const int code = sestara::answerCommandLine({argv + 1, argv + argc}, true); code >= 0)
        return code;
    QApplication app(argc, argv);
    // What Qt did not take of the options of one dash is unknown.
    const QStringList left = QCoreApplication::arguments();
    std::vector<std::string> rest;
    for (qsizetype i = 1; i < left.size(); ++i)
        rest.push_back(left[i].toStdString());
    if (const int code = sestara::answerCommandLine(rest, false); code >= 0)
        return code;
    sestara::setUpApplication();
    // The arguments as their bytes stand (Qt has taken its own): a file's name need not be UTF-8,
    // and QCoreApplication::arguments() would replace what is not.
    const QList<QByteArray> arguments(argv, argv + argc);

    sestara::SingleInstanceGuard guard;
    if (!sestara::checkSingleInstance(guard, arguments))
        return 0;

    sestara::MDIForm1 mainWindow;
    mainWindow.show();
    // Files opened while the program runs (a double-click on a ".sup" file) come here.
    if (guard.held())
        mainWindow.acceptHandedFiles(sestara::FileHandoff::socketPath(guard.lockPath()));
    // A file given on the command line opens once the main window is up.
    sestara::openSystemFileArgument(mainWindow, arguments);
    return app.exec();
}
