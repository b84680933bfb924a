// Draws the program's windows into PNG files: the picture of a developed 12-number system used in
// the README, and the other windows for a look at their layout.
//
//   sestara_gui_screenshot OUTPUT_FOLDER

#include "bench/guibench.h"

#include "gui/common/loading.h"
#include "gui/common/messages.h"
#include "gui/common/predictiongrid.h"
#include "gui/mainwindow/about.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/settings/frmoptions.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QComboBox>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

void settle(int ms = 200)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
}

bool save(QWidget* w, const QString& path)
{
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "scritto" : "ERRORE", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: %s CARTELLA\n", argv[0]);
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    sestara::Messages::setHandler([](const sestara::MessageRequest& m) {
        std::printf("messaggio: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    });
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    sestara::MDIForm1 main;
    main.show();
    settle();
    sestara::OrtogonaliSuper* w = main.fileNewSuper();
    settle();
    for (int n : {3, 7, 12, 18, 25, 33, 41, 49, 56, 64, 72, 88})
        guibench::clickNumber(w->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1")), n);
    settle();
    ok &= save(&main, out.filePath(QStringLiteral("sistemi.png")));

    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
    if (auto* loading = main.findChild<sestara::Loading*>(QStringLiteral("Loading")))
        ok &= save(loading, out.filePath(QStringLiteral("loading.png")));
    QElapsedTimer t;
    t.start();
    while (w->isRunning() && t.elapsed() < 60000)
        settle(20);
    settle();
    ok &= save(&main, out.filePath(QStringLiteral("sviluppo-12-numeri.png")));

    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(2);
    for (const char* name : {"Command26", "Command12"})
        QTest::mouseClick(w->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    t.restart();
    while (w->isRunning() && t.elapsed() < 60000)
        settle(20);
    settle();
    ok &= save(&main, out.filePath(QStringLiteral("spoglio.png")));

    tabs->setCurrentIndex(1);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
    settle();
    auto* slips = w->findChild<QComboBox*>(QStringLiteral("Combo6"));
    slips->setCurrentIndex(1);
    emit slips->activated(1);
    settle();
    ok &= save(&main, out.filePath(QStringLiteral("schedina.png")));

    if (sestara::FrmOptions* options = main.showOptions()) {
        settle();
        ok &= save(options, out.filePath(QStringLiteral("impostazioni.png")));
        options->close();
        settle();
    }

    main.showAbout();
    settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<sestara::About*>(top))
            ok &= save(about, out.filePath(QStringLiteral("about.png")));
    return ok ? 0 : 1;
}
