#include "gui/printing/printdevices.h"

#include "core/development/development.h"
#include "core/printing/pagelayouts.h"
#include "gui/common/appinfo.h"
#include "gui/common/filedialogs.h"
#include "gui/common/messages.h"
#include "gui/printing/printerpageoutput.h"
#include "gui/printing/printpagefilters.h"

#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>

namespace sestara {

namespace {

// A PDF is drawn at the resolution of a common slip printer, so its marks are as wide as printed ones.
constexpr int kPdfDotsPerInch = 600;

} // namespace

void portrait(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(false);
}

std::shared_ptr<QPrinter> printerFor(const QPrinterInfo& info, const QString& documentName)
{
    auto printer = std::make_shared<QPrinter>(info, QPrinter::HighResolution);
    portrait(*printer);
    printer->setDocName(documentName);
    return printer;
}

QString askPdfFile(QWidget* parent, const QString& documentName)
{
    static QString lastFolder;
    QString folder = lastFolder;
    if (!QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString name = documentName;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    QString file = FileDialogs::saveFileName(parent, QStringLiteral("Esporta PDF"), folder,
                                             QStringLiteral("Documenti PDF (*.pdf)"), name + QStringLiteral(".pdf"));
    if (file.isEmpty())
        return file;
    if (QFileInfo(file).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        file += QStringLiteral(".pdf");
    const QFileInfo chosen(file);
    if (chosen.exists() && !confirmReplace(parent, chosen.fileName()))
        return QString();
    lastFolder = chosen.absolutePath();
    return file;
}

std::shared_ptr<QPrinter> pdfPrinter(const QString& file, const QString& documentName, bool wholePage)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
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

std::uint64_t listingPagesOnPaper(const PrintInput& input)
{
    const std::shared_ptr<QPrinter> printer = pdfPrinter(QString(), QString(), false);
    PrinterPageOutput measure(*printer);
    measure.setFont(listingFont());
    const Development* development = input.system.development.get();
    return listingPages(development ? development->size() : 0, listingFit(input, measure));
}

void openPreview(QWidget* parent, const QString& documentName, PageJob job, const MarkList& marks, std::uint64_t pages)
{
    auto* dialog = new QPrintPreviewDialog(parent);
    dialog->setObjectName(QStringLiteral("printPreview"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QString title = QStringLiteral("Anteprima - ") + documentName;
    if (pages > static_cast<std::uint64_t>(kPreviewPages))
        title += QStringLiteral(" (prime %1 pagine)").arg(kPreviewPages);
    dialog->setWindowTitle(title);
    portrait(*dialog->printer());
    auto start = std::make_shared<MarkList>(marks);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, [job, start](QPrinter* printer) {
        MarkList work = *start;
        PrinterPageOutput device(*printer);
        if (!device.begin())
            return;
        FirstPagesOutput out(device, kPreviewPages);
        if (job(out, work))
            return;
        if (out.limitReached())
            device.end();
        else
            device.abort();
    });
    dialog->open();
}

} // namespace sestara
