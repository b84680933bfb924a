// "Elabora" on 35 numbers as a full system through the real window, measuring how long after the
// worker's end the whole listing is on screen (model set, view scrolled to the last line and
// painted) and how much the program's memory grew for it.
//
//   sestara_gui_listing_bench [REPETITIONS]

#include "bench/guibench.h"

#include "gui/common/messages.h"
#include "gui/common/predictiongrid.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

long rssKib()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    sestara::Messages::setHandler([](const sestara::MessageRequest& m) {
        std::fprintf(stderr, "messaggio inatteso: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    });

    sestara::MDIForm1 main;
    main.resize(1100, 820);
    main.show();
    sestara::OrtogonaliSuper* w = main.fileNewSuper();
    QCoreApplication::processEvents();
    auto* grid = w->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    for (int n = 1; n <= 35; ++n)
        guibench::clickNumber(grid, n);
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    auto* elabora = w->findChild<QPushButton*>(QStringLiteral("Command4"));
    auto* testo = w->findChild<QListView*>(QStringLiteral("Testo"));

    std::vector<double> shownMs, totalMs;
    long growthKib = 0;
    for (int rep = 0; rep < repetitions; ++rep) {
        tabs->setCurrentIndex(0);
        QCoreApplication::processEvents();
        const long before = rssKib();
        QElapsedTimer total;
        total.start();
        QTest::mouseClick(elabora, Qt::LeftButton);
        guibench::waitForRun(w);
        // The view shows the last line, painted.
        testo->scrollToBottom();
        testo->viewport()->repaint();
        QCoreApplication::processEvents();
        const auto shown = std::chrono::steady_clock::now();
        totalMs.push_back(static_cast<double>(total.nsecsElapsed()) / 1e6);
        shownMs.push_back(std::chrono::duration<double, std::milli>(shown - w->lastWorkerEnd()).count());
        const int rows = testo->model()->rowCount();
        QString last = testo->model()->index(rows - 1, 0).data().toString();
        const long after = rssKib();
        growthKib = std::max(growthKib, after - before);
        std::printf("ripetizione %d: %d righe, ultima \"%s\", a video %.1f ms dopo la fine del calcolo, "
                    "Elabora-a-video %.1f ms, memoria %+ld KiB\n",
                    rep + 1, rows, qPrintable(last.replace('\t', QStringLiteral("\\t"))), shownMs.back(),
                    totalMs.back(), after - before);
    }
    std::printf("35 numeri sistema Integrale: listato completo a video %.1f ms dopo la fine del calcolo "
                "(mediana; limite 500 ms), Elabora-a-video %.1f ms (mediana), crescita memoria massima %.1f MiB "
                "(limite 100 MiB)\n",
                guibench::median(shownMs), guibench::median(totalMs), growthKib / 1024.0);
    return 0;
}
