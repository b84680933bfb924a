#include "guitest.h"

#include "development/ortogonalisuper.h"
#include "development/predictiongrid.h"
#include "shell/mdiform1.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
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
    QTest::mouseClick(find<QPushButton>(w, QStringLiteral("Command4")), Qt::LeftButton);
    // Refused runs answer at once; a started run ends with the tab control enabled again.
    ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
    settle();
}

} // namespace guitest
