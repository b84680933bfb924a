// The 35-number full system (1,623,160 columns, 324,632 slips) through the real window: the time
// from "Gioca Sistema" to the slip lists shown and their drop-down list open, the time to preview
// one slip and paint it, and the time from "Spoglio" (or "Schedine Vincenti") to the counts on
// screen (and the list of winning slips shown).
//
//   sestara_gui_slips_bench [REPETITIONS]

#include "bench/guibench.h"

#include "gui/common/messages.h"
#include "gui/common/predictiongrid.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/printing/schedinapage.h"
#include "gui/printing/slippicture.h"
#include "gui/systemwindow/ortogonalisuper.h"
#include "gui/wincheck/schedinev.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using guibench::clickNumber;
using guibench::median;
using guibench::waitForRun;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    // The question of "Gioca Sistema" is answered OK; anything else is reported.
    sestara::Messages::setHandler([](const sestara::MessageRequest& m) {
        if (!m.text.startsWith(QStringLiteral("Assicurarsi")))
            std::fprintf(stderr, "messaggio inatteso: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    });

    sestara::MDIForm1 main;
    main.resize(1280, 800);
    main.show();
    sestara::OrtogonaliSuper* w = main.fileNewSuper();
    QCoreApplication::processEvents();
    auto* grid = w->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    for (int n = 1; n <= 35; ++n)
        clickNumber(grid, n);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
    waitForRun(w);
    QCoreApplication::processEvents();

    auto* gioca = w->findChild<QPushButton*>(QStringLiteral("Command5"));
    auto* page = w->findChild<sestara::SchedinaPage*>();
    auto* slips = w->findChild<QComboBox*>(QStringLiteral("Combo6"));
    auto* picture = w->findChild<sestara::SlipPicture*>(QStringLiteral("Picture1"));

    std::vector<double> loadMs, previewMs;
    for (int rep = 0; rep < repetitions; ++rep) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(gioca, Qt::LeftButton);
        // The tab with its lists painted, and the slip list open at its entries.
        page->repaint();
        slips->showPopup();
        slips->view()->viewport()->repaint();
        QCoreApplication::processEvents();
        loadMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        slips->hidePopup();
        QCoreApplication::processEvents();

        const int slip = 1 + (rep * 97'331) % page->slipCount();
        timer.restart();
        page->selectSlip(slip);
        picture->repaint();
        previewMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        std::printf("ripetizione %d: %d voci in \"%s\", liste a video %.1f ms; anteprima di \"%s\" (%d segni) %.2f ms\n",
                    rep + 1, slips->count(), qPrintable(slips->itemText(slips->count() - 1)), loadMs.back(),
                    qPrintable(slips->currentText()), page->marks().count(), previewMs.back());
    }
    std::printf("35 numeri sistema Integrale, %d schedine: liste a video %.1f ms (mediana; limite 500 ms), "
                "anteprima di una schedina %.2f ms (mediana; limite 20 ms)\n",
                page->slipCount(), median(loadMs), median(previewMs));

    // The drawn numbers 1 to 7 (7 the bonus): every column of the prediction 1..35 meets them.
    auto* drawnGrid = w->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid2"));
    for (int n = 1; n <= 7; ++n)
        clickNumber(drawnGrid, n);
    auto* due = w->findChild<QLabel*>(QStringLiteral("Label6_0"));
    std::vector<double> checkMs, listMs;
    for (int rep = 0; rep < repetitions; ++rep) {
        for (const char* button : {"Command12", "Command22"}) {
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(w->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
            waitForRun(w);
            due->repaint();
            if (sestara::SchedineV* list = sestara::SchedineV::existing(); list && list->isVisible())
                list->repaint();
            QCoreApplication::processEvents();
            (std::strcmp(button, "Command12") == 0 ? checkMs : listMs).push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
    }
    const sestara::SchedineV* list = sestara::SchedineV::existing();
    std::printf("Spoglio con 1 2 3 4 5 6 7: DUE %s, conteggi a video %.1f ms (mediana; limite 200 ms); "
                "Schedine Vincenti, %d voci a video %.1f ms (mediana)\n",
                qPrintable(due->text()), median(checkMs), list ? list->entryCount() : 0, median(listMs));
    return 0;
}
