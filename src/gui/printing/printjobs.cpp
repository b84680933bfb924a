#include "gui/printing/printjobs.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/document/systemdocument.h"
#include "core/settings/settings.h"
#include "core/util/files.h"
#include "gui/common/appinfo.h"
#include "gui/common/developmentrunner.h"
#include "gui/common/messages.h"
#include "gui/common/runcontrol.h"
#include "gui/printing/printerpageoutput.h"
#include "gui/printing/printpagefilters.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <atomic>
#include <memory>
#include <utility>

namespace sestara {

namespace {

const char* const kMsgListingFailure = "Errore di Stampa";
const char* const kMsgPrintFailure = "Problemi durante l'operazione di Stampa";
const char* const kMsgCheckPrinter = "verificare impostazioni stampante";
const char* const kMsgRange = "Cambiare l'intervallo di stampa";

// A whole print on the worker thread: true when every page went out.
using Work = std::function<bool(const std::atomic<bool>& interrupt, RunCounters& counters, MarkList& marks)>;

// The job on a printer or in a PDF file, watched by the run. A PDF file is saved as every file of
// the program is: written beside it under a temporary name and put in its place in one step once
// whole, so a job that fails or is interrupted leaves the old file (or none) as it was.
Work documentWork(std::shared_ptr<QPrinter> printer, const QString& pdfFile, PageJob job)
{
    return [printer = std::move(printer), pdfFile, job = std::move(job)](const std::atomic<bool>& interrupt,
                                                                          RunCounters& counters, MarkList& marks) {
        std::unique_ptr<FileReplacement> replacement;
        if (!pdfFile.isEmpty()) {
            // A file that cannot be written is found out here, before the printer is asked to start.
            replacement = std::make_unique<FileReplacement>(QFile::encodeName(pdfFile).toStdString());
            if (!replacement->error().empty())
                return false;
            printer->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(replacement->temporaryPath())));
        }
        bool ok = false;
        {
            PrinterPageOutput device(*printer);
            ok = device.begin();
            if (ok) {
                WatchedPageOutput out(device, interrupt, counters.examined);
                ok = job(out, marks);
                if (!ok)
                    device.abort();
            }
        }
        return ok && (!replacement || replacement->commit().empty());
    };
}

// A range on the printer: one job per slip, each on a printer of its own.
Work rangeOnPrinterWork(const QPrinterInfo& info, const QString& name, const PrintInput& input, std::uint64_t first,
                        std::uint64_t last)
{
    return [info, name, input, first, last](const std::atomic<bool>& interrupt, RunCounters& counters,
                                            MarkList& marks) {
        std::shared_ptr<QPrinter> printer;
        std::unique_ptr<PrinterPageOutput> device;
        std::unique_ptr<WatchedPageOutput> out;
        const auto nextJob = [&]() -> PageOutput* {
            out.reset();
            device.reset();
            if (interrupt.load())
                return nullptr;
            printer = printerFor(info, name);
            device = std::make_unique<PrinterPageOutput>(*printer);
            if (!device->begin())
                return nullptr;
            out = std::make_unique<WatchedPageOutput>(*device, interrupt, counters.examined);
            return out.get();
        };
        if (printSlipRange(nextJob, input, first, last, marks))
            return true;
        if (device)
            device->abort();
        return false;
    };
}

// What a document target asks before a run: the preview opens at once, the PDF file is chosen,
// the printer found.
enum class Step { Run, Previewed, Cancelled, Failed };

struct DocumentSetup {
    Step step = Step::Failed;
    Work work;
    bool keepsMarks = false; // the window's marks stay as they are
};

DocumentSetup setUpDocument(QWidget* parent, PrintTarget target, const QString& documentName, bool slips, PageJob job,
                            const MarkList& marks, std::uint64_t pages)
{
    DocumentSetup setup;
    switch (target) {
    case PrintTarget::Preview:
        openPreview(parent, documentName, std::move(job), marks, pages);
        setup.step = Step::Previewed;
        return setup;
    case PrintTarget::Pdf: {
        const QString file = askPdfFile(parent, documentName);
        if (file.isEmpty()) {
            setup.step = Step::Cancelled;
            return setup;
        }
        setup.work = documentWork(pdfPrinter(file, documentName, slips), file, std::move(job));
        setup.keepsMarks = true;
        setup.step = Step::Run;
        return setup;
    }
    case PrintTarget::Printer: {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return setup;
        setup.work = documentWork(printerFor(info, documentName), QString(), std::move(job));
        setup.step = Step::Run;
        return setup;
    }
    }
    return setup;
}

} // namespace

// One print handed to the worker. The worker keeps it alive on its own, so a worker left running
// after its window closed still owns the printer and everything it draws.
struct PrintJobs::Run {
    Work work;
    MarkList startMarks;
    MarkList marks;          // the worker's, and the window's afterwards unless `keepsMarks`
    bool keepsMarks = false;
    bool ok = false;         // written by the worker
    QString failure;         // the message of a failed print
    bool failureEndsSlipMode = false;
    SlipsDone done;
};

PrintJobs::PrintJobs(RunControl* control, QWidget* window)
    : QObject(window)
    , control_(control)
    , runner_(new DevelopmentRunner(control, window))
    , window_(window)
{
    // The runner goes with this object, after it has stopped the run.
    runner_->setParent(this);
    connect(runner_, &DevelopmentRunner::finished, this, &PrintJobs::runFinished);
}

PrintJobs::~PrintJobs()
{
    stop();
}

bool PrintJobs::isRunning() const
{
    return runner_->isRunning();
}

void PrintJobs::stop()
{
    runner_->stop();
    run_.reset();
}

bool PrintJobs::refusedWhileBusy(PrintTarget target) const
{
    if (target == PrintTarget::Preview || !control_ || !control_->busy())
        return false;
    Messages::show(window_, QString::fromUtf8(kMsgAltraElaborazione), MessageIcon::Exclamation);
    return true;
}

QString publisherWebAddress()
{
    return QStringLiteral("www.sestara.it");
}

PrintInput printInput(const DevelopedSystem& system, const QString& caption, const QString& costText,
                      const Settings& settings)
{
    PrintInput in;
    in.system = system;
    in.caption = caption.toStdString();
    in.costText = costText.toStdString();
    in.dateText = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    in.productName = appinfo::productName().toStdString();
    in.versionMajor = appinfo::versionMajor();
    in.versionMinor = appinfo::versionMinor();
    in.publisherName = appinfo::publisherName().toStdString();
    in.webAddress = publisherWebAddress().toStdString();
    in.settings = settings;
    return in;
}

void PrintJobs::printListing(PrintTarget target, const DevelopedSystem* system, const QString& caption,
                             const QString& costText, const Settings& settings)
{
    if (isRunning())
        return;
    if (!hasColumns(system)) {
        Messages::show(window_, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
        return;
    }
    if (refusedWhileBusy(target))
        return;
    const PrintInput input = printInput(*system, caption, costText, settings);
    const std::uint64_t pages = listingPagesOnPaper(input);
    PageJob job = [input](PageOutput& out, MarkList&) { return sestara::printListing(out, input); };
    DocumentSetup setup = setUpDocument(window_, target, caption, false, std::move(job), MarkList{}, pages);
    if (setup.step == Step::Failed)
        Messages::show(window_, QString::fromUtf8(kMsgListingFailure), MessageIcon::Critical);
    if (setup.step != Step::Run)
        return;
    auto run = std::make_shared<Run>();
    run->work = std::move(setup.work);
    run->failure = QString::fromUtf8(kMsgListingFailure);
    start(std::move(run), pages);
}

void PrintJobs::printSlips(PrintTarget target, const SlipSelection& selection, const DevelopedSystem* system,
                           const QString& caption, const QString& costText, const Settings& settings,
                           const MarkList& marks, SlipsDone done)
{
    SlipPrintOutcome outcome;
    outcome.marks = marks;
    const auto finish = [&] {
        if (done)
            done(outcome);
    };
    if (isRunning())
        return finish();

    auto run = std::make_shared<Run>();
    run->startMarks = run->marks = marks;
    run->done = done;
    std::uint64_t pages = 1;
    PageJob job;
    if (!selection.slipsLoaded) {
        if (refusedWhileBusy(target))
            return finish();
        run->failure = QString::fromUtf8(kMsgPrintFailure);
        job = [settings](PageOutput& out, MarkList& m) { return printMarksAlone(out, m, settings); };
    } else {
        if (!hasColumns(system)) {
            Messages::show(window_, QString::fromUtf8(kMsgElaborareSistema), MessageIcon::Exclamation);
            return finish();
        }
        if (selection.range && selection.rangeFirst > selection.rangeLast) {
            Messages::show(window_, QString::fromUtf8(kMsgRange), MessageIcon::Exclamation);
            return finish();
        }
        if (refusedWhileBusy(target))
            return finish();
        run->failure = QString::fromUtf8(kMsgPrintFailure) + QLatin1Char('\n') + QString::fromUtf8(kMsgCheckPrinter);
        run->failureEndsSlipMode = true;
        const PrintInput input = printInput(*system, caption, costText, settings);
        if (selection.range) {
            const auto first = static_cast<std::uint64_t>(selection.rangeFirst) + 1;
            const auto last = static_cast<std::uint64_t>(selection.rangeLast) + 1;
            pages = last - first + 1;
            if (target == PrintTarget::Printer) {
                const QPrinterInfo info = QPrinterInfo::defaultPrinter();
                if (!info.isNull())
                    run->work = rangeOnPrinterWork(info, caption, input, first, last);
            } else {
                job = [input, first, last](PageOutput& out, MarkList& m) {
                    return printSlipRange(jobsAsPages(out), input, first, last, m) && out.end();
                };
            }
        } else if (selection.slip == 0) {
            pages = caricaQuanteSchedine(system->development->size()) + 1;
            job = [input](PageOutput& out, MarkList& m) { return printAllSlips(out, input, m); };
        } else {
            job = [settings, number = selection.slip](PageOutput& out, MarkList& m) {
                return printOneSlip(out, m, settings, number);
            };
        }
    }

    if (job) {
        DocumentSetup setup = setUpDocument(window_, target, caption, true, std::move(job), marks, pages);
        if (setup.step == Step::Previewed)
            outcome.printed = true;
        if (setup.step == Step::Previewed || setup.step == Step::Cancelled)
            return finish();
        run->work = std::move(setup.work);
        run->keepsMarks = setup.keepsMarks;
    }
    if (!run->work) {
        outcome.endSlipMode = run->failureEndsSlipMode;
        Messages::show(window_, run->failure, MessageIcon::Critical);
        return finish();
    }
    start(std::move(run), pages);
}

void PrintJobs::start(std::shared_ptr<Run> run, std::uint64_t pages)
{
    if (!runner_->begin()) {
        if (run->done) {
            SlipPrintOutcome outcome;
            outcome.marks = run->startMarks;
            run->done(outcome);
        }
        return;
    }
    run_ = run;
    emit runStarted();
    runner_->start(pages, [run](const std::atomic<bool>& interrupt, RunCounters& counters) {
        run->ok = run->work(interrupt, counters, run->marks);
    });
}

void PrintJobs::runFinished(bool completed)
{
    const std::shared_ptr<Run> run = std::move(run_);
    if (!run)
        return;
    emit runEnded();
    SlipPrintOutcome outcome;
    outcome.printed = run->ok;
    outcome.marks = run->keepsMarks ? run->startMarks : run->marks;
    // A job stopped by "Interrompi" ends silently; otherwise one that did not go out failed on its
    // device. A run that broke down has had its message from the runner.
    if (!run->ok && completed) {
        outcome.endSlipMode = run->failureEndsSlipMode;
        Messages::show(window_, run->failure, MessageIcon::Critical);
    }
    if (run->done)
        run->done(outcome);
}

} // namespace sestara
