#include "gui/common/runcontrol.h"

namespace sestara {

RunControl::RunControl(QObject* parent)
    : QObject(parent)
{
}

bool RunControl::begin(QObject* owner, std::shared_ptr<std::atomic<bool>> interrupt)
{
    if (busy())
        return false;
    owner_ = owner;
    interrupt_ = std::move(interrupt);
    emit busyChanged(true);
    return true;
}

void RunControl::end(QObject* owner)
{
    if (owner_.data() != owner)
        return;
    owner_.clear();
    interrupt_.reset();
    emit busyChanged(false);
}

void RunControl::interrompi()
{
    if (interrupt_)
        interrupt_->store(true);
}

} // namespace sestara
