#include "gui/printing/slippicture.h"

#include "core/settings/settings.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace sestara {

namespace {

// The look of the drawing, in slip centimetres.
constexpr double kBoxWidth = 0.40;
constexpr double kBoxHeight = 0.23;
constexpr double kPanelTopOverhang = 0.17;    // above a panel's first row
constexpr double kPanelBottomOverhang = 0.15; // below its last row
constexpr double kNumberHeight = 0.15;
constexpr double kCaptionHeight = 0.17;

const QColor kPaper(255, 251, 246);
const QColor kInk(196, 32, 58);

const char* const kPanelCaptions[kSlipPanels] = {"Primo Pannello", "Secondo Pannello", "Terzo Pannello",
                                                 "Quarto Pannello", "Quinto Pannello"};

QFont pixelFont(double pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

} // namespace

SlipPicture::SlipPicture(const MarkList& marks, const Settings& settings, QWidget* parent)
    : QWidget(parent)
    , marks_(marks)
    , settings_(settings)
{
    setObjectName(QStringLiteral("Picture1"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::CrossCursor);
}

double SlipPicture::scale() const
{
    return std::max(0.0, std::min(width() / kSlipWidthCm, height() / kSlipHeightCm));
}

QRectF SlipPicture::slipRect() const
{
    const double s = scale();
    const QSizeF size(kSlipWidthCm * s, kSlipHeightCm * s);
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF SlipPicture::toWidget(SlipPoint point) const
{
    const QRectF r = slipRect();
    const double s = scale();
    return {r.left() + point.x * s, r.top() + point.y * s};
}

SlipPoint SlipPicture::toSlip(QPointF point) const
{
    const QRectF r = slipRect();
    const double s = scale();
    if (s <= 0)
        return {};
    return {(point.x() - r.left()) / s, (point.y() - r.top()) / s};
}

QRectF SlipPicture::boxOf(int number, int panel)
{
    const auto p = numberPosition(number, panel);
    if (!p)
        return {};
    return {p->x - kBoxWidth / 2, p->y - kBoxHeight / 2, kBoxWidth, kBoxHeight};
}

QSize SlipPicture::sizeHint() const
{
    return {280, 430};
}

QSize SlipPicture::minimumSizeHint() const
{
    return {168, 258};
}

void SlipPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double s = scale();
    if (s <= 0)
        return;
    // Everything is drawn in widget pixels from slip centimetres, so lines and text stay crisp
    // at any size and pixel density.
    const auto area = [this, s](const QRectF& cm) {
        return QRectF(toWidget({cm.left(), cm.top()}), QSizeF(cm.width() * s, cm.height() * s));
    };

    painter.setPen(QPen(kInk, 1));
    painter.setBrush(kPaper);
    painter.drawRect(area({0, 0, kSlipWidthCm, kSlipHeightCm}).adjusted(0.5, 0.5, -0.5, -0.5));

    painter.setFont(pixelFont(0.42 * s, true));
    painter.drawText(area({0.3, 0.5, kSlipWidthCm - 0.6, 0.7}), Qt::AlignCenter, QStringLiteral("SuperEnalotto"));
    painter.setFont(pixelFont(0.2 * s, false));
    painter.drawText(area({0.3, 1.2, kSlipWidthCm - 0.6, 0.4}), Qt::AlignCenter,
                     QStringLiteral("Schedina per la stampa"));

    const QFont captionFont = pixelFont(kCaptionHeight * s, true);
    const QFont numberFont = pixelFont(kNumberHeight * s, false);
    const double lastRowOffset = numberPosition(77, 0)->y - numberPosition(1, 0)->y;
    for (int panel = 0; panel < kSlipPanels; ++panel) {
        const SlipPoint first = *numberPosition(1, panel);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kInk, 1));
        const double top = first.y - kPanelTopOverhang;
        painter.drawRoundedRect(
            area({0.12, top, kSlipWidthCm - 0.24, lastRowOffset + kPanelTopOverhang + kPanelBottomOverhang}),
            0.08 * s, 0.08 * s);
        painter.setFont(captionFont);
        painter.drawText(area({0.25, first.y - kBoxHeight / 2, 3.8, kBoxHeight}), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(kPanelCaptions[panel]));
        painter.setFont(numberFont);
        for (int number = 1; number <= 90; ++number) {
            const QRectF box = area(boxOf(number, panel));
            painter.drawRect(box);
            painter.drawText(box, Qt::AlignCenter, QString::number(number));
        }
    }

    painter.setPen(QPen(Qt::black, screenPenPixels(settings_.superPunto), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < marks_.count(); ++i)
        painter.drawPoint(toWidget(marks_.at(i)));
}

void SlipPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !slipRect().contains(event->position())) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit clicked(toSlip(event->position()));
}

} // namespace sestara
