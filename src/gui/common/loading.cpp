#include "gui/common/loading.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace sestara {

Loading::Loading(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint |
                              Qt::WindowStaysOnTopHint)
    , mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("Loading"));
    setWindowTitle(QStringLiteral("Loading...."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setRange(0, 0);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(true);
    progressBar_->setMinimumWidth(320);

    command27_ = new QPushButton(QStringLiteral("Interrompi"), this);
    command27_->setObjectName(QStringLiteral("Command27"));
    command27_->setToolTip(QStringLiteral("Termina Elaborazione"));
    command27_->setAutoDefault(false);
    connect(command27_, &QPushButton::clicked, this, &Loading::interrompi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressBar_);
    layout->addWidget(command27_, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

void Loading::setMaximum(qint64 maximum)
{
    maximum_ = maximum < 0 ? 0 : maximum;
    // The bar counts in int; very large totals are shown in steps.
    scale_ = 1;
    while (maximum_ / scale_ > std::numeric_limits<int>::max())
        scale_ *= 2;
    progressBar_->setRange(0, static_cast<int>(maximum_ / scale_));
}

void Loading::setValue(qint64 value)
{
    if (value > maximum_)
        value = maximum_;
    if (value < 0)
        value = 0;
    progressBar_->setValue(static_cast<int>(value / scale_));
}

void Loading::finish()
{
    finishing_ = true;
    close();
}

void Loading::interrompi()
{
    if (!requested_) {
        requested_ = true;
        emit interrompiRequested();
    }
    finishing_ = true;
    close();
}

void Loading::changeEvent(QEvent* event)
{
    // The main window is the parent only so that this window closes with it: when the about box
    // disables the main window, "Interrompi" must stay within reach.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setEnabled(true);
    QDialog::changeEvent(event);
}

void Loading::closeEvent(QCloseEvent* event)
{
    // Closing the progress window by its frame stops the computation too: nothing would be left
    // to show its progress or to stop it.
    if (!finishing_ && !requested_) {
        requested_ = true;
        emit interrompiRequested();
    }
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    // Not QDialog's handler: it would go through reject(), which is "Interrompi" here.
    event->accept();
}

void Loading::reject()
{
    // Escape behaves like "Interrompi".
    interrompi();
}

} // namespace sestara
