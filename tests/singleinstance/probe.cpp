#include "gui/mainwindow/singleinstance.h"

#include <QCoreApplication>

#include <iostream>
#include <string>

// One copy of the program as far as the guard goes. It says "ready" once started, takes the guard
// when it reads a line (so that copies started together reach the guard together), says "held",
// "refused" or "unguarded" followed by the lock file's path, and keeps the guard until its input
// ends.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::cout << "ready" << std::endl;
    std::string line;
    if (!std::getline(std::cin, line))
        return 2;
    sestara::SingleInstanceGuard guard;
    const bool mayRun = guard.acquire();
    const char* verdict = guard.held() ? "held" : mayRun ? "unguarded" : "refused";
    std::cout << verdict << ' ' << guard.lockPath().toStdString() << std::endl;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
