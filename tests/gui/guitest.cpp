#include "tests/gui/guitest.h"

#include <QElapsedTimer>
#include <QThread>

namespace guitest {

MessageLog& messages()
{
    static MessageLog log;
    return log;
}

FileDialogLog& fileDialogs()
{
    static FileDialogLog log;
    return log;
}

bool waitUntil(const std::function<bool()>& condition, int boundMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > boundMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

bool isGreen(QWidget* root, const QString& buttonName)
{
    const QImage image = find<QPushButton>(root, buttonName)->grab().toImage();
    const QColor c = image.pixelColor(image.width() / 12 + 3, image.height() / 2);
    EXPECT_TRUE(c == QColor(0, 192, 0) || c == QApplication::palette().color(QPalette::Button))
        << buttonName.toStdString() << " shows " << c.name().toStdString();
    return c == QColor(0, 192, 0);
}

void clickEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << "no entry " << text.toStdString() << " in " << list->objectName().toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(found[0]).center());
}

std::pair<QPointF, int> darkPixels(const QImage& image, int threshold)
{
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < threshold) {
                sum += QPointF(x + 0.5, y + 0.5);
                ++count;
            }
    return {count ? sum / count : sum, count};
}

} // namespace guitest
