#include "development/developmentjob.h"

#include <QThread>
#include <QTimer>

namespace sestara {

namespace {
constexpr int kPollMs = 50;
}

DevelopmentJob::DevelopmentJob(DevelopmentPlan plan, ConditionSet conditions,
                               std::shared_ptr<std::atomic<bool>> interrupt, QObject* parent)
    : QObject(parent)
    , plan_(std::make_shared<const DevelopmentPlan>(std::move(plan)))
    , conditions_(std::move(conditions))
    , interrupt_(std::move(interrupt))
    , shared_(std::make_shared<Shared>())
    , timer_(new QTimer(this))
{
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &DevelopmentJob::poll);
}

DevelopmentJob::~DevelopmentJob()
{
    interruptAndWait();
    delete thread_;
}

void DevelopmentJob::start()
{
    if (thread_)
        return;
    auto shared = shared_;
    auto plan = plan_;
    auto flag = interrupt_;
    ConditionSet conditions = conditions_;
    thread_ = QThread::create([shared, plan, flag, conditions]() {
        auto progress = [&shared](const Progress& p) {
            shared->examined.store(p.examined, std::memory_order_relaxed);
            shared->accepted.store(p.accepted, std::memory_order_relaxed);
        };
        auto result = std::make_unique<RunResult>(execute(*plan, conditions, *flag, progress));
        shared->result = std::move(result);
        shared->workerEnd = std::chrono::steady_clock::now();
    });
    thread_->setObjectName(QStringLiteral("Sviluppo"));
    connect(thread_, &QThread::finished, this, &DevelopmentJob::onThreadFinished, Qt::QueuedConnection);
    timer_->start();
    thread_->start();
}

bool DevelopmentJob::isRunning() const
{
    return thread_ && !done_;
}

void DevelopmentJob::interrupt()
{
    interrupt_->store(true);
}

void DevelopmentJob::interruptAndWait()
{
    interrupt_->store(true);
    timer_->stop();
    if (thread_)
        thread_->wait();
    done_ = true;
}

std::uint64_t DevelopmentJob::examined() const
{
    return shared_->examined.load(std::memory_order_relaxed);
}

std::uint64_t DevelopmentJob::accepted() const
{
    return shared_->accepted.load(std::memory_order_relaxed);
}

std::unique_ptr<RunResult> DevelopmentJob::takeResult()
{
    return std::move(shared_->result);
}

void DevelopmentJob::poll()
{
    emit progressed(examined(), accepted());
}

void DevelopmentJob::onThreadFinished()
{
    if (done_)
        return;
    done_ = true;
    timer_->stop();
    if (shared_->result && shared_->result->status == RunStatus::Completed) {
        shared_->examined.store(plan_->totalCandidates);
        shared_->accepted.store(shared_->result->development.size());
    }
    emit finished();
}

} // namespace sestara
