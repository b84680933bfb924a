#pragma once

#include "core/printing/pageoutput.h"

#include <QColor>
#include <QFont>
#include <QPainter>

class QPrinter;

namespace sestara {

// Pages drawn on a printer (a real one, a preview, a PDF file) in twips from the corner of its
// printable area. Fonts are set by their size in twips so the scale of the painter sizes them.
class PrinterPageOutput : public PageOutput {
public:
    explicit PrinterPageOutput(QPrinter& printer);
    ~PrinterPageOutput() override;

    // Opens the job; false when the printer cannot be used.
    bool begin();

    void setFont(const PageFont& font) override;
    void text(double x, double y, const std::string& text) override;
    void dot(double x, double y, int penDots) override;
    bool newPage() override;
    bool end() override;
    void abort() override;
    int pageNumber() const override { return page_; }
    double pageWidth() const override;
    double pageHeight() const override;
    double textWidth(const std::string& text) const override;

private:
    void applyState();

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    QColor colour_ = Qt::black;
    double ascent_ = 0;
    double twipsPerDot_ = 1;
    int page_ = 1;
};

} // namespace sestara
