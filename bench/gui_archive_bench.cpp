// The archive window on a folder of 10,000 system files: how long from asking for the window to
// its list filled and painted on screen. The goal is under a second.
//
//   sestara_gui_archive_bench [FILES] [REPETITIONS]

#include "gui/common/messages.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemfiles/sistemi.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    sestara::Messages::setHandler([](const sestara::MessageRequest& m) {
        std::fprintf(stderr, "messaggio inatteso: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    });

    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    const QByteArray system = "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 \r\n";
    for (int i = 1; i <= files; ++i) {
        QFile f(QDir(folder.path()).filePath(QStringLiteral("Sistema %1.sup").arg(i)));
        if (!f.open(QIODevice::WriteOnly) || f.write(system) != system.size())
            return 1;
    }

    sestara::MDIForm1 main;
    main.resize(1100, 820);
    main.show();
    QCoreApplication::processEvents();
    auto* menu = main.findChild<QAction*>(QStringLiteral("mnuArchivio"));

    std::vector<double> ms;
    for (int rep = 0; rep < repetitions; ++rep) {
        QElapsedTimer timer;
        timer.start();
        menu->trigger();
        sestara::Sistemi* archive = main.archivio();
        archive->setFolder(folder.path());
        auto* list = archive->findChild<QListWidget*>(QStringLiteral("ListView1"));
        list->scrollToBottom();
        archive->repaint();
        QCoreApplication::processEvents();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (list->count() != files) {
            std::fprintf(stderr, "%d voci invece di %d\n", list->count(), files);
            return 1;
        }
        archive->close();
        if (QWidget* frame = archive->parentWidget())
            frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("archivio di %d sistemi aperto e mostrato: mediana %.1f ms, minimo %.1f ms, massimo %.1f ms\n", files,
                ms[ms.size() / 2], ms.front(), ms.back());
    return ms[ms.size() / 2] < 1000.0 ? 0 : 2;
}
