#include "gui/common/developmentrunner.h"

#include "core/development/run.h"
#include "gui/common/loading.h"
#include "gui/common/messages.h"
#include "gui/common/runcontrol.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <new>
#include <stdexcept>

namespace sestara {

namespace {

// The window whose run ended comes to the front, whatever the user or the progress window left
// in front meanwhile: the user waits for this window's result.
void bringToFront(QWidget* window)
{
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            sub->raise();
            break;
        }
    }
}

constexpr int kPollMs = 50;
// How long closing a window waits for its worker before leaving it to end on its own.
constexpr unsigned long kStopWaitMs = 2000;

} // namespace

// Lives as long as the worker or the runner, whichever goes last.
struct DevelopmentRunner::Shared {
    RunCounters counters;
    std::string error;
    std::chrono::steady_clock::time_point workerEnd;
};

DevelopmentRunner::DevelopmentRunner(RunControl* control, QWidget* window)
    : QObject(window)
    , control_(control)
    , window_(window)
    , timer_(new QTimer(this))
{
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &DevelopmentRunner::poll);
}

DevelopmentRunner::~DevelopmentRunner()
{
    stop();
}

bool DevelopmentRunner::begin()
{
    if (isRunning())
        return false;
    interrupt_ = std::make_shared<std::atomic<bool>>(false);
    if (control_ && !control_->begin(this, interrupt_)) {
        Messages::show(window_, QString::fromUtf8(kMsgAltraElaborazione), MessageIcon::Exclamation);
        return false;
    }
    holdsSlot_ = control_ != nullptr;
    return true;
}

void DevelopmentRunner::start(std::uint64_t maximum, Task task)
{
    shared_ = std::make_shared<Shared>();
    loading_ = new Loading(window_->window());
    loading_->setMaximum(static_cast<qint64>(maximum));
    loading_->setValue(0);
    auto interrupt = interrupt_;
    connect(loading_.data(), &Loading::interrompiRequested, this, [interrupt] { interrupt->store(true); });
    loading_->show();
    loading_->raise();

    auto shared = shared_;
    worker_ = QThread::create([shared, interrupt, task = std::move(task)]() {
        try {
            task(*interrupt, shared->counters);
        } catch (const std::bad_alloc&) {
            shared->error = kMsgMemoriaInsufficiente;
        } catch (const std::exception& e) {
            shared->error = std::string(kMsgErroreElaborazione) + e.what();
        } catch (...) {
            shared->error = std::string(kMsgErroreElaborazione) + "errore sconosciuto";
        }
        shared->workerEnd = std::chrono::steady_clock::now();
    });
    worker_->setObjectName(QStringLiteral("Elaborazione"));
    connect(worker_, &QThread::finished, this, &DevelopmentRunner::workerFinished, Qt::QueuedConnection);
    timer_->start();
    worker_->start();
}

void DevelopmentRunner::poll()
{
    if (!shared_)
        return;
    const quint64 examined = shared_->counters.examined.load(std::memory_order_relaxed);
    if (loading_)
        loading_->setValue(static_cast<qint64>(examined));
    emit progressed(examined, shared_->counters.accepted.load(std::memory_order_relaxed));
}

void DevelopmentRunner::workerFinished()
{
    if (!worker_ || !worker_->isFinished())
        return;
    delete worker_;
    worker_ = nullptr;
    lastWorkerEnd_ = shared_->workerEnd;
    // The request counts even when it came after the task's last check.
    const bool interrupted = interrupt_->load();
    const QString error = QString::fromStdString(shared_->error);
    release();
    // Again once the progress window is gone: its closing hands the activation back to the
    // sub-window that was active before the run.
    bringToFront(window_);
    QTimer::singleShot(0, window_, [window = window_] { bringToFront(window); });
    emit finished(!interrupted && error.isEmpty());
    if (!error.isEmpty())
        Messages::show(window_, error, MessageIcon::Critical);
}

void DevelopmentRunner::stop()
{
    if (!worker_)
        return;
    interrupt_->store(true);
    if (worker_->wait(kStopWaitMs)) {
        delete worker_;
    } else {
        // The worker holds only shared state; it deletes its thread object when it ends.
        QThread* orphan = worker_;
        orphan->disconnect(this);
        connect(orphan, &QThread::finished, orphan, &QObject::deleteLater);
        orphan->setParent(nullptr);
        if (orphan->isFinished())
            orphan->deleteLater();
    }
    worker_ = nullptr;
    release();
}

void DevelopmentRunner::release()
{
    timer_->stop();
    if (holdsSlot_ && control_)
        control_->end(this);
    holdsSlot_ = false;
    if (loading_)
        loading_->finish();
}

} // namespace sestara
