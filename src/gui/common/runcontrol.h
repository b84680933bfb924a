#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>

namespace sestara {

// The one development slot of the program and its interrupt request: only one run at a time, so
// raising the request always reaches the run in progress.
class RunControl : public QObject {
    Q_OBJECT
public:
    explicit RunControl(QObject* parent = nullptr);

    bool busy() const { return !owner_.isNull(); }
    QObject* owner() const { return owner_.data(); }

    // Takes the slot for a run; false when another run holds it.
    bool begin(QObject* owner, std::shared_ptr<std::atomic<bool>> interrupt);
    // Frees the slot if the owner holds it.
    void end(QObject* owner);

    // Asks the run in progress, if any, to stop.
    void interrompi();
    // Whether the run in progress has been asked to stop.
    bool interruptRequested() const { return interrupt_ && interrupt_->load(); }

signals:
    void busyChanged(bool busy);

private:
    QPointer<QObject> owner_;
    std::shared_ptr<std::atomic<bool>> interrupt_;
};

} // namespace sestara
