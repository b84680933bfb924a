#include "gui/common/barchart.h"

#include <QPainter>

#include <algorithm>

namespace sestara {

BarChart::BarChart(QWidget* parent)
    : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void BarChart::setBars(const QVector<double>& values, const QStringList& labels, const QVector<bool>& marked)
{
    values_ = values;
    labels_ = labels;
    marked_ = marked;
    update();
}

void BarChart::setTitle(const QString& title)
{
    title_ = title;
    update();
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.height();
    const double top = values_.isEmpty() ? 0 : *std::max_element(values_.begin(), values_.end());
    const QString topText = QString::number(top, 'g', 10);
    const int left = fm.horizontalAdvance(topText) + 8;
    const QRect plot(left, line + 4, width() - left - 6, height() - 2 * line - 10);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(0, 0, width(), line), Qt::AlignHCenter, title_);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawText(QRect(0, plot.top() - line / 2, left - 4, line), Qt::AlignRight, topText);
    p.drawText(QRect(0, plot.bottom() - line / 2, left - 4, line), Qt::AlignRight, QStringLiteral("0"));
    if (values_.isEmpty() || top <= 0)
        return;
    const double step = static_cast<double>(plot.width()) / values_.size();
    const QColor plain = palette().color(QPalette::Highlight).lighter(140);
    const QColor dark = palette().color(QPalette::Highlight).darker(120);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < values_.size(); ++i) {
        const double h = values_[i] / top * plot.height();
        const double x = plot.left() + i * step;
        const double w = std::max(1.0, step - (step > 4 ? 1.0 : 0.0));
        p.setBrush(i < marked_.size() && marked_[i] ? dark : plain);
        p.drawRect(QRectF(x, plot.bottom() - h, w, h));
    }
    p.setPen(palette().color(QPalette::Text));
    const QRect labels(plot.left(), plot.bottom() + 3, plot.width(), line);
    if (!labels_.isEmpty()) {
        p.drawText(labels, Qt::AlignLeft, labels_.front());
        if (labels_.size() > 1)
            p.drawText(labels, Qt::AlignRight, labels_.back());
    }
}

} // namespace sestara
