#include "printing/printjobs.h"

#include "development/development.h"
#include "document/systemdocument.h"
#include "printing/printerpageoutput.h"
#include "settings/settings.h"
#include "shell/appinfo.h"
#include "shell/filedialogs.h"
#include "shell/messages.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <functional>
#include <memory>

namespace sestara {

namespace {

const char* const kMsgElaborare = "Elaborare Sistema";
const char* const kMsgListingFailure = "Errore di Stampa";
const char* const kMsgPrintFailure = "Problemi durante l'operazione di Stampa";
const char* const kMsgCheckPrinter = "verificare impostazioni stampante";
const char* const kMsgRange = "Cambiare l'intervallo di stampa";

// A PDF is drawn at the resolution of a common slip printer, so its marks are as wide as printed ones.
constexpr int kPdfDotsPerInch = 600;

// One print job on one document; false when the device refused a page or the job.
using Job = std::function<bool(PageOutput& out, MarkList& marks)>;

void portrait(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(false);
}

std::unique_ptr<QPrinter> defaultPrinter(const QString& documentName)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    portrait(*printer);
    printer->setDocName(documentName);
    return printer;
}

// The PDF file the user chooses; empty when the user cancels.
QString askPdfFile(QWidget* parent)
{
    QString file = FileDialogs::saveFileName(parent, QStringLiteral("Esporta PDF"),
                                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                             QStringLiteral("Documenti PDF (*.pdf)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        file += QStringLiteral(".pdf");
    return file;
}

// Slips in a PDF are placed from the paper's corner, the one reference every printer shares.
std::unique_ptr<QPrinter> pdfPrinter(const QString& file, const QString& documentName, bool wholePage)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setResolution(kPdfDotsPerInch);
    portrait(*printer);
    if (wholePage)
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setDocName(documentName);
    printer->setCreator(appinfo::productName());
    return printer;
}

// Runs the job on the printer; a failed job is cancelled.
bool runOn(QPrinter& printer, const Job& job, MarkList& marks)
{
    PrinterPageOutput out(printer);
    if (!out.begin())
        return false;
    if (!job(out, marks)) {
        out.abort();
        return false;
    }
    return true;
}

// A preview window drawing the job afresh whenever it asks, from the marks given here; it stays
// open on its own and changes nothing in the window.
void openPreview(QWidget* parent, const QString& documentName, Job job, const MarkList& marks)
{
    auto* dialog = new QPrintPreviewDialog(parent);
    dialog->setObjectName(QStringLiteral("printPreview"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Anteprima - ") + documentName);
    portrait(*dialog->printer());
    auto start = std::make_shared<MarkList>(marks);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, [job, start](QPrinter* printer) {
        MarkList work = *start;
        runOn(*printer, job, work);
    });
    dialog->open();
}

// The job sent to a document target (the printer, the preview or a PDF file). False when it
// failed; cancelling the PDF file choice is no failure and prints nothing.
struct DocumentRun {
    bool ok = false;
    bool printed = false;
};

DocumentRun runDocument(QWidget* parent, PrintTarget target, const QString& documentName, bool slips,
                        const Job& job, MarkList& marks)
{
    DocumentRun run;
    switch (target) {
    case PrintTarget::Preview:
        openPreview(parent, documentName, job, marks);
        run.ok = run.printed = true;
        return run;
    case PrintTarget::Pdf: {
        const QString file = askPdfFile(parent);
        if (file.isEmpty()) {
            run.ok = true;
            return run;
        }
        // A file that cannot be written is found out here, before the printer is asked to start.
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly))
            return run;
        probe.close();
        MarkList work = marks;
        const auto printer = pdfPrinter(file, documentName, slips);
        run.ok = run.printed = runOn(*printer, job, work);
        return run;
    }
    case PrintTarget::Printer: {
        const auto printer = defaultPrinter(documentName);
        run.ok = run.printed = printer && runOn(*printer, job, marks);
        return run;
    }
    }
    return run;
}

bool hasDevelopment(const DevelopedSystem* system)
{
    return system && system->development && !system->development->empty();
}

// A range on the printer: one job per slip, each on a printer of its own.
bool printRangeOnPrinter(const PrintInput& input, std::uint64_t first, std::uint64_t last, const QString& name,
                         MarkList& marks)
{
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<PrinterPageOutput> out;
    const auto nextJob = [&]() -> PageOutput* {
        out.reset();
        printer = defaultPrinter(name);
        if (!printer)
            return nullptr;
        out = std::make_unique<PrinterPageOutput>(*printer);
        return out->begin() ? out.get() : nullptr;
    };
    if (printSlipRange(nextJob, input, first, last, marks))
        return true;
    if (out)
        out->abort();
    return false;
}

} // namespace

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

bool printListingJob(QWidget* parent, PrintTarget target, const DevelopedSystem* system, const QString& caption,
                     const QString& costText, const Settings& settings)
{
    if (!hasDevelopment(system)) {
        Messages::show(parent, QString::fromUtf8(kMsgElaborare), MessageIcon::Exclamation);
        return false;
    }
    const PrintInput input = printInput(*system, caption, costText, settings);
    const Job job = [input](PageOutput& out, MarkList&) { return printListing(out, input); };
    MarkList unused;
    const DocumentRun run = runDocument(parent, target, caption, false, job, unused);
    if (!run.ok)
        Messages::show(parent, QString::fromUtf8(kMsgListingFailure), MessageIcon::Critical);
    return run.printed;
}

SlipPrintOutcome printSlipsJob(QWidget* parent, PrintTarget target, const SlipSelection& selection,
                               const DevelopedSystem* system, const QString& caption, const QString& costText,
                               const Settings& settings, const MarkList& marks)
{
    SlipPrintOutcome outcome;
    outcome.marks = marks;
    const bool alone = !selection.slipsLoaded;
    if (alone) {
        const Job job = [settings](PageOutput& out, MarkList& m) { return printMarksAlone(out, m, settings); };
        const DocumentRun run = runDocument(parent, target, caption, true, job, outcome.marks);
        if (!run.ok)
            Messages::show(parent, QString::fromUtf8(kMsgPrintFailure), MessageIcon::Critical);
        outcome.printed = run.printed;
        return outcome;
    }
    if (!hasDevelopment(system)) {
        Messages::show(parent, QString::fromUtf8(kMsgElaborare), MessageIcon::Exclamation);
        return outcome;
    }
    if (selection.range && selection.rangeFirst > selection.rangeLast) {
        Messages::show(parent, QString::fromUtf8(kMsgRange), MessageIcon::Exclamation);
        return outcome;
    }

    const PrintInput input = printInput(*system, caption, costText, settings);
    bool ok = true;
    if (selection.range) {
        const auto first = static_cast<std::uint64_t>(selection.rangeFirst) + 1;
        const auto last = static_cast<std::uint64_t>(selection.rangeLast) + 1;
        if (target == PrintTarget::Printer) {
            ok = outcome.printed = printRangeOnPrinter(input, first, last, caption, outcome.marks);
        } else {
            const Job job = [input, first, last](PageOutput& out, MarkList& m) {
                return printSlipRange(jobsAsPages(out), input, first, last, m) && out.end();
            };
            const DocumentRun run = runDocument(parent, target, caption, true, job, outcome.marks);
            ok = run.ok;
            outcome.printed = run.printed;
        }
    } else {
        Job job;
        if (selection.slip == 0)
            job = [input](PageOutput& out, MarkList& m) { return printAllSlips(out, input, m); };
        else
            job = [settings, number = selection.slip](PageOutput& out, MarkList& m) {
                return printOneSlip(out, m, settings, number);
            };
        const DocumentRun run = runDocument(parent, target, caption, true, job, outcome.marks);
        ok = run.ok;
        outcome.printed = run.printed;
    }
    if (!ok) {
        outcome.endSlipMode = true;
        const QString text =
            QString::fromUtf8(kMsgPrintFailure) + QLatin1Char('\n') + QString::fromUtf8(kMsgCheckPrinter);
        Messages::show(parent, text, MessageIcon::Critical);
    }
    return outcome;
}

} // namespace sestara
