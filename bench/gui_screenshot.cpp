// Draws the program's windows into PNG files: the pictures of the README and of the software
// centre (a developed 12-number system, its "Spoglio" and "Schedina" tabs, its "Garanzie", the
// archive of draws and its statistics, the advice for 20 numbers), and the other windows for a look at their layout.
//
//   sestara_gui_screenshot OUTPUT_FOLDER

#include "bench/guibench.h"

#include "gui/common/loading.h"
#include "gui/common/messages.h"
#include "gui/common/predictiongrid.h"
#include "gui/draws/archivioestrazioni.h"
#include "gui/draws/statistiche.h"
#include "gui/mainwindow/about.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/settings/frmoptions.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

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

// Sixty draws twice a week from 2 January 2024, their numbers from a fixed sequence.
void writeDraws(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    std::uint32_t seed = 20240102;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % 90) + 1;
    };
    QDate date(2024, 1, 2);
    for (int draw = 1; draw <= 60; ++draw) {
        std::vector<int> numbers;
        while (numbers.size() < 8) {
            const int n = next();
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                numbers.push_back(n);
        }
        std::sort(numbers.begin(), numbers.begin() + 6);
        QStringList fields{QString::number(draw), date.toString(Qt::ISODate)};
        for (int n : numbers)
            fields << QString::number(n);
        file.write((fields.join(QLatin1Char(';')) + QStringLiteral("\n")).toUtf8());
        date = date.addDays(date.dayOfWeek() == 2 ? 2 : 5);
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

    // The user's files in a folder of the run, with an archive of 60 draws made up for the picture.
    QTemporaryDir user;
    if (!user.isValid())
        return 1;
    writeDraws(user.filePath(QStringLiteral("Estrazioni.txt")));
    sestara::MDIForm1 main(QString(), user.path());
    main.resize(1100, 760);
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

    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("CommandGaranzie")), Qt::LeftButton);
    t.restart();
    QWidget* garanzie = nullptr;
    while (t.elapsed() < 60000) {
        settle(20);
        garanzie = w->findChild<QWidget*>(QStringLiteral("Garanzie"));
        auto* table = garanzie ? garanzie->findChild<QTableWidget*>(QStringLiteral("TabellaGaranzie")) : nullptr;
        if (table && table->rowCount() > 0 && table->item(0, 0) && !w->isRunning())
            break;
    }
    settle();
    ok &= garanzie && save(garanzie, out.filePath(QStringLiteral("garanzie.png")));
    if (garanzie)
        garanzie->close();

    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(2);
    // A draw with five of the prediction's numbers and one more.
    for (int n : {3, 12, 25, 41, 64, 77, 88})
        guibench::clickNumber(w->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid2")), n);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command12")), Qt::LeftButton);
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

    // A system made to measure: 20 numbers, "3 se 4", in a window of its own.
    {
        sestara::OrtogonaliSuper* custom = main.fileNewSuper();
        settle();
        for (int n = 31; n <= 50; ++n)
            guibench::clickNumber(custom->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1")), n);
        auto* types = custom->findChild<QComboBox*>(QStringLiteral("Combo1"));
        types->setCurrentIndex(types->count() - 1);
        emit types->activated(types->count() - 1);
        settle();
        if (auto* dialog = custom->findChild<QDialog*>(QStringLiteral("SuMisura"))) {
            auto* guarantee = dialog->findChild<QComboBox*>(QStringLiteral("ComboGaranzia"));
            guarantee->setCurrentIndex(guarantee->findText(QStringLiteral("3 se 4")));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        }
        settle();
        QTest::mouseClick(custom->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
        t.restart();
        while (custom->isRunning() && t.elapsed() < 60000)
            settle(20);
        settle();
        ok &= save(&main, out.filePath(QStringLiteral("sumisura.png")));
    }

    main.findChild<QAction*>(QStringLiteral("mnuEstrazioni"))->trigger();
    settle();
    if (sestara::ArchivioEstrazioni* archive = main.archivioEstrazioni()) {
        ok &= save(archive->parentWidget(), out.filePath(QStringLiteral("archivio-estrazioni.png")));
        QTest::mouseClick(archive->findChild<QPushButton*>(QStringLiteral("cmdStatistiche")), Qt::LeftButton);
        settle();
        if (QWidget* statistics = archive->statistiche())
            ok &= save(statistics, out.filePath(QStringLiteral("statistiche.png")));
    } else {
        ok = false;
    }

    if (sestara::FrmOptions* options = main.showOptions()) {
        settle();
        ok &= save(options, out.filePath(QStringLiteral("impostazioni.png")));
        options->close();
        settle();
    }

    // "Consiglia…" for 20 numbers and the default budget and goal.
    sestara::OrtogonaliSuper* advised = main.fileNewSuper();
    settle();
    for (int n : {2, 5, 9, 13, 17, 21, 26, 30, 34, 38, 43, 47, 52, 57, 61, 66, 70, 75, 81, 86})
        guibench::clickNumber(advised->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1")), n);
    QTest::mouseClick(advised->findChild<QPushButton*>(QStringLiteral("Consiglia")), Qt::LeftButton);
    settle();
    QWidget* consiglia = advised->findChild<QWidget*>(QStringLiteral("DialogoConsiglia"));
    if (consiglia) {
        QTest::mouseClick(consiglia->findChild<QPushButton*>(QStringLiteral("Calcola")), Qt::LeftButton);
        t.restart();
        while (advised->isRunning() && t.elapsed() < 120000)
            settle(20);
        settle();
        consiglia->resize(consiglia->sizeHint().expandedTo(QSize(1000, 330)));
        settle();
        ok &= save(consiglia, out.filePath(QStringLiteral("consiglia.png")));
        consiglia->close();
    } else {
        ok = false;
    }

    main.showAbout();
    settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<sestara::About*>(top))
            ok &= save(about, out.filePath(QStringLiteral("about.png")));
    return ok ? 0 : 1;
}
