#include "gui/mainwindow/filehandoff.h"
#include "gui/mainwindow/singleinstance.h"
#include "gui/mainwindow/startup.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <iostream>
#include <string>

// One copy of the program as far as the guard goes. It says "ready" once started, takes the guard
// when it reads a line (so that copies started together reach the guard together), says "held",
// "refused" or "unguarded" followed by the lock file's path, and keeps the guard until its input
// ends. "probe listen MS N": the holder starts taking files MS milliseconds after it took the
// guard, as the program does once its window is up, says "received" and each file's path in hex,
// and ends after N files (with N = 0, it reads nothing for ten seconds). "probe send HEX": the
// copy hands the file over as the program does and says how it went ("run", "taken",
// "unanswered" or "refused").
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    std::cout << "ready" << std::endl;
    std::string line;
    if (!std::getline(std::cin, line))
        return 2;
    sestara::SingleInstanceGuard guard;
    if (args.value(1) == QLatin1String("send")) {
        const char* said[] = {"run", "taken", "unanswered", "refused"};
        const QByteArray file = QByteArray::fromHex(args.value(2).toLatin1());
        std::cout << said[int(sestara::handOver(guard, file, 5000))] << std::endl;
        return 0;
    }
    const bool mayRun = guard.acquire();
    const char* verdict = guard.held() ? "held" : mayRun ? "unguarded" : "refused";
    std::cout << verdict << ' ' << guard.lockPath().toStdString() << std::endl;
    if (args.value(1) == QLatin1String("listen") && guard.held()) {
        QThread::msleep(args.value(2).toULong());
        sestara::FileHandoff handoff;
        int left = args.value(3).toInt();
        QObject::connect(&handoff, &sestara::FileHandoff::fileReceived, [&left](const QByteArray& path) {
            std::cout << "received " << path.toHex().toStdString() << std::endl;
            if (--left == 0)
                QCoreApplication::quit();
        });
        if (!handoff.listen(sestara::FileHandoff::socketPath(guard.lockPath())))
            return 3;
        if (left == 0) // too busy to read anything for a while
            QThread::sleep(10);
        QTimer::singleShot(20000, &app, &QCoreApplication::quit);
        return app.exec();
    }
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
