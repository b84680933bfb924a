#pragma once

#include <QDialog>
#include <QPointer>

class QProgressBar;
class QPushButton;

namespace sestara {

// The progress window of a long computation, kept above the main window. "Interrompi" (or
// closing the window) asks the computation to stop. Closing it enables the main window again,
// which the about box may have disabled meanwhile.
class Loading : public QDialog {
    Q_OBJECT
public:
    explicit Loading(QWidget* mainWindow);

    void setMaximum(qint64 maximum);
    void setValue(qint64 value);

    // Closes the window when the computation is over, without asking it to stop.
    void finish();

signals:
    void interrompiRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void interrompi();

    QPointer<QWidget> mainWindow_;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* command27_ = nullptr;
    qint64 maximum_ = 0;
    int scale_ = 1;
    bool finishing_ = false;
    bool requested_ = false;
};

} // namespace sestara
