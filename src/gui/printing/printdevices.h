#pragma once

#include "core/printing/slipgeometry.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QPrinter;
class QPrinterInfo;
class QWidget;

namespace sestara {

class PageOutput;
struct PrintInput;

// The preview draws at most this many pages of a job.
constexpr int kPreviewPages = 100;

// One print job on one document; false when the device refused a page or the job.
using PageJob = std::function<bool(PageOutput& out, MarkList& marks)>;

// The devices a print goes to: the default printer, a PDF file, a preview window; all portrait.
void portrait(QPrinter& printer);
std::shared_ptr<QPrinter> printerFor(const QPrinterInfo& info, const QString& documentName);

// The PDF file the user chooses, "<documentName>.pdf" proposed in the folder of the last export
// (else the user's documents folder); an existing file is replaced only when the user says so.
// Empty when the user cancels.
QString askPdfFile(QWidget* parent, const QString& documentName);

// Slips in a PDF are placed from the paper's corner, the one reference every printer shares.
std::shared_ptr<QPrinter> pdfPrinter(const QString& file, const QString& documentName, bool wholePage);

// The pages the listing takes on an A4 page, for the progress of its run and the preview's title;
// a printer with other paper may take a few more or fewer.
std::uint64_t listingPagesOnPaper(const PrintInput& input);

// A preview window drawing the first pages of the job afresh whenever it asks, from the marks
// given here; it stays open on its own and changes nothing in the window.
void openPreview(QWidget* parent, const QString& documentName, PageJob job, const MarkList& marks,
                 std::uint64_t pages);

} // namespace sestara
