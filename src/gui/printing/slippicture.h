#pragma once

#include "core/printing/slipgeometry.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace sestara {

struct Settings;

// The slip picture "Picture1": the betting slip drawn from the slip geometry, scaled to the widget
// with its proportions kept, and the recorded marks as black dots over it. A click reports the
// slip point under the pointer; the owner decides whether it becomes a mark.
class SlipPicture : public QWidget {
    Q_OBJECT
public:
    SlipPicture(const MarkList& marks, const Settings& settings, QWidget* parent = nullptr);

    // The slip's rectangle in the widget, and the mapping of slip centimetres to widget pixels
    // and back.
    QRectF slipRect() const;
    QPointF toWidget(SlipPoint point) const;
    SlipPoint toSlip(QPointF point) const;
    // The box of number n (1..90) of panel p (0..4) in slip centimetres, centred on the number's
    // position, where a mark lands.
    static QRectF boxOf(int number, int panel);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked(sestara::SlipPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double scale() const; // pixels per slip centimetre

    const MarkList& marks_;
    const Settings& settings_;
};

} // namespace sestara
