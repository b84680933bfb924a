#pragma once

#include "conditions/conditionset.h"
#include "development/developers.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class QThread;
class QTimer;

namespace sestara {

// One development run on a worker thread. Progress is published through atomics and read on the
// user-interface thread by a timer; the interrupt request is one shared atomic flag.
class DevelopmentJob : public QObject {
    Q_OBJECT
public:
    DevelopmentJob(DevelopmentPlan plan, ConditionSet conditions, std::shared_ptr<std::atomic<bool>> interrupt,
                   QObject* parent = nullptr);
    // Stops the worker and waits for it.
    ~DevelopmentJob() override;

    void start();
    bool isRunning() const;

    // Asks the worker to stop; finished() follows.
    void interrupt();
    // Asks the worker to stop and waits for it; finished() is not emitted afterwards.
    void interruptAndWait();

    bool interruptRequested() const { return interrupt_->load(); }
    std::uint64_t examined() const;
    std::uint64_t accepted() const;

    // When the worker finished developing (valid once finished() has been emitted).
    std::chrono::steady_clock::time_point workerEnd() const { return shared_->workerEnd; }

    // The result, once finished() has been emitted.
    std::unique_ptr<RunResult> takeResult();

signals:
    void progressed(quint64 examined, quint64 accepted);
    void finished();

private:
    struct Shared {
        std::atomic<std::uint64_t> examined{0};
        std::atomic<std::uint64_t> accepted{0};
        std::unique_ptr<RunResult> result;
        std::chrono::steady_clock::time_point workerEnd;
    };

    void poll();
    void onThreadFinished();

    std::shared_ptr<const DevelopmentPlan> plan_;
    ConditionSet conditions_;
    std::shared_ptr<std::atomic<bool>> interrupt_;
    std::shared_ptr<Shared> shared_;
    QThread* thread_ = nullptr;
    QTimer* timer_ = nullptr;
    bool done_ = false;
};

} // namespace sestara
