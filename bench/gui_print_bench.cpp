// Printed output to PDF files through the same flows as the printer, a run off the interface thread
// each, timed from the request to the end of the run: a listing and its slips. The goals are under
// 1 s for the listing of 924 columns (21 pages) and under 2 s for its slips (185 pages and the
// summary). With "listing" only the listing is written, to measure the memory of a
// large one with /usr/bin/time -v.
//
//   sestara_gui_print_bench [COLUMNS] [FOLDER] [listing]

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/document/systemdocument.h"
#include "core/printing/pagelayouts.h"
#include "core/printing/slipgeometry.h"
#include "core/settings/settings.h"
#include "gui/common/filedialogs.h"
#include "gui/common/messages.h"
#include "gui/printing/printjobs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The first `count` columns of the full system of 90 numbers, in lexicographic order.
std::shared_ptr<const sestara::Development> columns(std::size_t count)
{
    auto development = std::make_shared<sestara::Development>();
    sestara::Column c = {1, 2, 3, 4, 5, 6};
    for (std::size_t k = 0; k < count; ++k) {
        development->append(c);
        int i = 5;
        while (i >= 0 && c[static_cast<std::size_t>(i)] == 90 - (5 - i))
            --i;
        if (i < 0)
            break;
        ++c[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < 6; ++j)
            c[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(c[static_cast<std::size_t>(j - 1)] + 1);
    }
    return development;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 924;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const bool listingOnly = argc > 3 && std::strcmp(argv[3], "listing") == 0;
    if (count == 0 || folder.isEmpty())
        return 1;

    QString next;
    sestara::FileDialogs::setHandler([&next](const sestara::FileDialogRequest&) { return next; });
    sestara::Messages::setHandler([](const sestara::MessageRequest& m) {
        std::fprintf(stderr, "messaggio inatteso: %s\n", qPrintable(m.text));
        return QMessageBox::Ok;
    });

    sestara::DevelopedSystem system;
    system.entryText = "90 numeri sistema Integrale";
    for (std::uint8_t n = 1; n <= 90; ++n)
        system.pronostico.push_back(n);
    system.development = columns(count);
    const sestara::Settings settings;
    const QString caption = QStringLiteral("Sistema 1");
    const QString cost = QStringLiteral("462,00   €");

    QWidget window;
    sestara::PrintJobs jobs(nullptr, &window);
    QEventLoop loop;
    QObject::connect(&jobs, &sestara::PrintJobs::runEnded, &loop, &QEventLoop::quit);

    int status = 0;
    next = QDir(folder).filePath(QStringLiteral("sviluppo.pdf"));
    QElapsedTimer timer;
    timer.start();
    jobs.printListing(sestara::PrintTarget::Pdf, &system, caption, cost, settings);
    if (!jobs.isRunning())
        return 1;
    loop.exec();
    const double listingMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!QFileInfo::exists(next))
        return 1;
    std::printf("sviluppo di %zu colonne, %llu pagine, in PDF: %.1f ms, %lld byte\n", count,
                static_cast<unsigned long long>(sestara::listingPages(count)), listingMs,
                static_cast<long long>(QFileInfo(next).size()));
    if (count == 924 && listingMs >= 1000)
        status = 2;

    if (!listingOnly) {
        sestara::SlipSelection all;
        all.slipsLoaded = true;
        next = QDir(folder).filePath(QStringLiteral("schedine.pdf"));
        bool printed = false;
        timer.restart();
        jobs.printSlips(sestara::PrintTarget::Pdf, all, &system, caption, cost, settings, sestara::MarkList{},
                        [&printed](const sestara::SlipPrintOutcome& outcome) { printed = outcome.printed; });
        if (jobs.isRunning())
            loop.exec();
        if (!printed)
            return 1;
        const double slipsMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        std::printf("schedine di %zu colonne, %llu pagine e il riepilogo, in PDF: %.1f ms, %lld byte\n", count,
                    static_cast<unsigned long long>(sestara::caricaQuanteSchedine(count)), slipsMs,
                    static_cast<long long>(QFileInfo(next).size()));
        if (count == 924 && slipsMs >= 2000)
            status = 2;
    }
    return status;
}
