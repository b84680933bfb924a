#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace sestara {

// A plain bar chart painted by hand: one bar a value, in order, with the largest value on the
// vertical axis and the first and last labels under the bars. Marked bars are drawn darker.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    void setBars(const QVector<double>& values, const QStringList& labels, const QVector<bool>& marked = {});
    void setTitle(const QString& title);

    const QVector<double>& values() const { return values_; }
    QString title() const { return title_; }
    QSize sizeHint() const override { return QSize(480, 200); }
    QSize minimumSizeHint() const override { return QSize(200, 120); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<double> values_;
    QStringList labels_;
    QVector<bool> marked_;
    QString title_;
};

} // namespace sestara
