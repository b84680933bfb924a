#pragma once

// What the window benches share: clicking a number as the user does, waiting for a run while the
// window stays live, and the median of the repetitions.

#include "gui/common/predictiongrid.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QCoreApplication>
#include <QTableWidget>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <vector>

namespace guibench {

inline void clickNumber(QTableWidget* grid, int number)
{
    const QRect r = grid->visualItemRect(
        grid->item(sestara::PredictionGrid::rowOf(number), sestara::PredictionGrid::columnOf(number)));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

inline void waitForRun(const sestara::OrtogonaliSuper* w)
{
    while (w->isRunning()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(100);
    }
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace guibench
