#include "tests/gui/guitest.h"

#include "gui/common/loading.h"
#include "gui/common/predictiongrid.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemwindow/ortogonalisuper.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>

namespace guitest {

MessageLog& messages()
{
    static MessageLog log;
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

QByteArray contents(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(missing)";
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void press(QWidget* root, const QString& name)
{
    QTest::mouseClick(find<QPushButton>(root, name), Qt::LeftButton);
}

bool isGreen(QWidget* root, const QString& buttonName)
{
    const QImage image = find<QPushButton>(root, buttonName)->grab().toImage();
    const QColor c = image.pixelColor(image.width() / 12 + 3, image.height() / 2);
    EXPECT_TRUE(c == QColor(0, 192, 0) || c == QApplication::palette().color(QPalette::Button))
        << buttonName.toStdString() << " shows " << c.name().toStdString();
    return c == QColor(0, 192, 0);
}

void clickCell(QTableWidget* grid, int row, int column)
{
    const QRect rect = grid->visualItemRect(grid->item(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

void chooseItem(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void GuiTest::SetUp()
{
    messages().clear();
    main_ = new sestara::MDIForm1(QStringLiteral(SESTARA_PROGRAM_DIR));
    main_->show();
    settle();
}

void GuiTest::TearDown()
{
    delete main_;
    main_ = nullptr;
    settle();
    messages().clear();
}

sestara::OrtogonaliSuper* GuiTest::newSystem()
{
    sestara::OrtogonaliSuper* w = main_->fileNewSuper();
    settle();
    return w;
}

void GuiTest::clickNumber(sestara::OrtogonaliSuper* w, int number)
{
    auto* grid = find<QTableWidget>(w, QStringLiteral("MSFlexGrid1"));
    clickCell(grid, sestara::PredictionGrid::rowOf(number), sestara::PredictionGrid::columnOf(number));
}

void GuiTest::clickNumbers(sestara::OrtogonaliSuper* w, int from, int to)
{
    for (int n = from; n <= to; ++n)
        clickNumber(w, n);
}

QString GuiTest::text(QWidget* root, const QString& labelName)
{
    auto* label = find<QLabel>(root, labelName);
    return label ? label->text() : QString();
}

void GuiTest::elaboraAndWait(sestara::OrtogonaliSuper* w)
{
    press(w, QStringLiteral("Command4"));
    // Refused runs answer at once; a started run ends with the tab control enabled again.
    waitForRun(w);
}

void GuiTest::waitForRun(sestara::OrtogonaliSuper* w)
{
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    settle();
}

sestara::Loading* GuiTest::loading() const
{
    return main_ ? main_->findChild<sestara::Loading*>(QStringLiteral("Loading")) : nullptr;
}

} // namespace guitest
