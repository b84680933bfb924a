#include "gui/printing/printpagefilters.h"

namespace sestara {

bool FirstPagesOutput::newPage()
{
    if (device_.pageNumber() >= limit_) {
        limitReached_ = true;
        return false;
    }
    return device_.newPage();
}

bool WatchedPageOutput::newPage()
{
    if (interrupt_.load(std::memory_order_relaxed) || !device_.newPage())
        return false;
    pagesDone_.fetch_add(1, std::memory_order_relaxed);
    return true;
}

bool WatchedPageOutput::end()
{
    if (!device_.end())
        return false;
    pagesDone_.fetch_add(1, std::memory_order_relaxed);
    return true;
}

} // namespace sestara
