#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class QThread;
class QTimer;
class QWidget;

namespace sestara {

class Loading;
class RunControl;

// What a long computation reports while it goes: how far it is and how many items it kept.
struct RunCounters {
    std::atomic<std::uint64_t> examined{0};
    std::atomic<std::uint64_t> accepted{0};
};

// One long computation of a system window at a time, off the interface thread: it takes the
// program's one run slot, shows `Loading` above the main window, honours "Interrompi" through one
// interrupt flag, and reports the end on the interface thread. A task that throws ends as
// interrupted, and the reason is shown once the window shows that state.
class DevelopmentRunner : public QObject {
    Q_OBJECT
public:
    // The task runs on the worker thread; it polls `interrupt` and publishes its counters.
    using Task = std::function<void(const std::atomic<bool>& interrupt, RunCounters& counters)>;

    DevelopmentRunner(RunControl* control, QWidget* window);
    ~DevelopmentRunner() override;

    bool isRunning() const { return worker_ != nullptr; }

    // Refuses with the message shown (false) while another run holds the program's slot.
    bool begin();
    // Starts the task after begin(); `maximum` is the progress bar's end.
    void start(std::uint64_t maximum, Task task);
    // Ends the run at once: the interrupt is raised, and the worker is waited for a short while;
    // one that has not stopped by then is left to finish on its own. No signal follows.
    void stop();

    // When the worker of the last run finished.
    std::chrono::steady_clock::time_point lastWorkerEnd() const { return lastWorkerEnd_; }

signals:
    void progressed(quint64 examined, quint64 accepted);
    // The run has ended: completed, or interrupted (by the user, by closing, or by a failure).
    void finished(bool completed);

private:
    struct Shared;
    void poll();
    void workerFinished();
    void release();

    QPointer<RunControl> control_;
    QWidget* window_ = nullptr;
    std::shared_ptr<std::atomic<bool>> interrupt_;
    std::shared_ptr<Shared> shared_;
    QThread* worker_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<Loading> loading_;
    bool holdsSlot_ = false;
    std::chrono::steady_clock::time_point lastWorkerEnd_;
};

} // namespace sestara
