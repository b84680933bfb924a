#include "gui/wincheck/schedinev.h"

#include "gui/wincheck/winningslipsmodel.h"

#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QVBoxLayout>

namespace sestara {

namespace {
QPointer<SchedineV>& theWindow()
{
    static QPointer<SchedineV> window;
    return window;
}
} // namespace

SchedineV* SchedineV::instance(QWidget* mainWindow)
{
    QPointer<SchedineV>& window = theWindow();
    if (!window)
        window = new SchedineV(mainWindow);
    return window;
}

SchedineV* SchedineV::existing()
{
    return theWindow();
}

SchedineV::SchedineV(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SchedineV"));
    setWindowTitle(QStringLiteral("Elenco schedine vincenti"));
    setAttribute(Qt::WA_DeleteOnClose);

    model_ = new WinningSlipsModel(this);
    list_ = new QListView;
    list_->setObjectName(QStringLiteral("List1"));
    list_->setModel(model_);
    // Hundreds of thousands of rows: one row height for all, texts made only for the rows shown.
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    resize(360, 420);
}

void SchedineV::setEntries(std::vector<WinningEntry> entries)
{
    model_->setEntries(std::move(entries));
}

void SchedineV::clear()
{
    model_->clear();
}

int SchedineV::entryCount() const
{
    return model_->rowCount();
}

bool SchedineV::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SchedineV::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace sestara
