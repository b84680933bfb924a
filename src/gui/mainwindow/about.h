#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QLabel;

namespace sestara {

// The about box: product, version, notices and the drawn title. The main window stays disabled
// while it is open.
class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* mainWindow);
    ~About() override;

    // The title drawn under the rights notice: "Sestara Ver. <major>.<minor>".
    static QString titleText();

    // The desktop tools tried, in order, by "System Info...".
    static QStringList systemInfoTools();

    // Starts the first system-information tool found; false (after the message) when none.
    bool startSysInfo();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void drawTitle(QPainter& painter);
    void enableMainWindow();

    QPointer<QWidget> mainWindow_;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    int titleHeight_ = 0;
};

} // namespace sestara
