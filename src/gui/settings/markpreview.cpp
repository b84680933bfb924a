#include "gui/settings/markpreview.h"

#include <QPainter>

#include <cmath>

namespace sestara {

MarkPreview::MarkPreview(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(0, 0);
}

void MarkPreview::setDiameterTwips(int twips)
{
    twips_ = twips;
    const int pixels = static_cast<int>(std::lround(twips / kTwipsPerPixel));
    setFixedSize(pixels, pixels);
    update();
}

void MarkPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(rect()));
}

} // namespace sestara
