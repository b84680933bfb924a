#include "gui/printing/printerpageoutput.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>

namespace sestara {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr int kTwipsPerPoint = 20;
constexpr int kTabColumns = 8;

// Tabs become blanks up to the next stop of eight characters, as on a fixed-pitch printer.
QString expandTabs(const QString& text)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString out;
    out.reserve(text.size() + kTabColumns);
    for (const QChar c : text) {
        if (c == QLatin1Char('\t'))
            out += QString(kTabColumns - out.size() % kTabColumns, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

} // namespace

PrinterPageOutput::PrinterPageOutput(QPrinter& printer) : printer_(printer) {}

PrinterPageOutput::~PrinterPageOutput()
{
    if (painter_.isActive())
        painter_.end();
}

bool PrinterPageOutput::begin()
{
    printer_.setFullPage(false);
    if (!painter_.begin(&printer_))
        return false;
    twipsPerDot_ = kTwipsPerInch / printer_.resolution();
    applyState();
    return true;
}

void PrinterPageOutput::applyState()
{
    painter_.resetTransform();
    const double scale = 1.0 / twipsPerDot_;
    painter_.scale(scale, scale);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setFont(font_);
    painter_.setPen(colour_);
}

void PrinterPageOutput::setFont(const PageFont& font)
{
    QFont f(QString::fromStdString(font.family));
    f.setStyleHint(font.fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
    if (font.fixedPitch && !QFontInfo(f).fixedPitch())
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(font.pointSize * kTwipsPerPoint);
    f.setBold(font.bold);
    font_ = f;
    colour_ = QColor::fromRgb(static_cast<QRgb>(font.rgb));
    ascent_ = QFontMetricsF(font_).ascent();
    if (!painter_.isActive())
        return;
    painter_.setFont(font_);
    painter_.setPen(colour_);
}

double PrinterPageOutput::pageWidth() const
{
    return printer_.pageLayout().paintRect(QPageLayout::Point).width() * kTwipsPerPoint;
}

double PrinterPageOutput::pageHeight() const
{
    return printer_.pageLayout().paintRect(QPageLayout::Point).height() * kTwipsPerPoint;
}

double PrinterPageOutput::textWidth(const std::string& text) const
{
    return QFontMetricsF(font_).horizontalAdvance(expandTabs(QString::fromStdString(text)));
}

void PrinterPageOutput::text(double x, double y, const std::string& text)
{
    painter_.drawText(QPointF(x, y + ascent_), expandTabs(QString::fromStdString(text)));
}

void PrinterPageOutput::dot(double x, double y, int penDots)
{
    const double radius = penDots * twipsPerDot_ / 2;
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(Qt::black);
    painter_.drawEllipse(QPointF(x, y), radius, radius);
    painter_.restore();
}

bool PrinterPageOutput::newPage()
{
    if (!printer_.newPage())
        return false;
    ++page_;
    applyState();
    return true;
}

bool PrinterPageOutput::end()
{
    return painter_.end();
}

void PrinterPageOutput::abort()
{
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
}

} // namespace sestara
