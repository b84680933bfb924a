#pragma once

#include "gui/common/loading.h"
#include "gui/common/messages.h"
#include "gui/common/predictiongrid.h"
#include "gui/common/runcontrol.h"
#include "gui/mainwindow/mdiform1.h"
#include "gui/systemwindow/ortogonalisuper.h"
#include "tests/common/qttestenv.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace guitest {

// Every message box the program asked for, in order, answered from a queue (OK when empty).
struct MessageLog {
    std::vector<sestara::MessageRequest> shown;
    std::deque<QMessageBox::StandardButton> answers;

    void clear() { *this = {}; }
    QStringList texts() const
    {
        QStringList t;
        for (const auto& m : shown)
            t << m.text;
        return t;
    }
};

MessageLog& messages();

// Every file dialog answers with `answer` (empty: cancelled); `folders` notes where each one started.
struct FileDialogLog {
    QString answer;
    QStringList folders; // where each dialog started
    QStringList names;   // the file name each proposed
};
FileDialogLog& fileDialogs();

using qttestenv::contents;
using qttestenv::ScopedEnv;
using qttestenv::writeFile;

// Processes events until the condition holds or the bound passes; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int boundMs = 120000);
// Lets deferred deletions and posted events run.
void settle();

template <typename T>
T* find(QWidget* root, const QString& name)
{
    T* w = root->findChild<T*>(name);
    if (!w)
        ADD_FAILURE() << "no widget named " << name.toStdString();
    return w;
}

// The full system of the numbers 1 to 10, as a system file holds it.
inline const QByteArray kDieci = "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 \r\n";

inline void press(QWidget* root, const QString& name)
{
    QTest::mouseClick(find<QPushButton>(root, name), Qt::LeftButton);
}
// Whether a condition button shows green to the user, looked at away from its caption.
bool isGreen(QWidget* root, const QString& buttonName);
// Clicks a cell of a grid where the user would.
inline void clickCell(QTableWidget* grid, int row, int column)
{
    const QRect rect = grid->visualItemRect(grid->item(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}
// Clicks the entry of a list box that shows that text.
void clickEntry(QListWidget* list, const QString& text);
// Chooses an entry of a drop-down list as the user does, even the one already selected.
inline void chooseItem(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
inline QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}
// The centre of the pixels darker than `threshold`, each taken at its middle, and how many they are.
std::pair<QPointF, int> darkPixels(const QImage& image, int threshold);

// A main window with the program's data folder, shown, and the message log cleared.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        messages().clear();
        fileDialogs() = {};
        main_ = new sestara::MDIForm1(QStringLiteral(SESTARA_PROGRAM_DIR));
        main_->show();
        settle();
    }
    void TearDown() override
    {
        delete main_;
        main_ = nullptr;
        settle();
        messages().clear();
    }

    sestara::OrtogonaliSuper* newSystem()
    {
        sestara::OrtogonaliSuper* w = main_->fileNewSuper();
        settle();
        return w;
    }
    void clickNumber(sestara::OrtogonaliSuper* w, int number)
    {
        auto* grid = find<QTableWidget>(w, QStringLiteral("MSFlexGrid1"));
        clickCell(grid, sestara::PredictionGrid::rowOf(number), sestara::PredictionGrid::columnOf(number));
    }
    void clickNumbers(sestara::OrtogonaliSuper* w, int from, int to)
    {
        for (int n = from; n <= to; ++n)
            clickNumber(w, n);
    }
    QString text(QWidget* root, const QString& labelName)
    {
        auto* label = find<QLabel>(root, labelName);
        return label ? label->text() : QString();
    }
    // Presses "Elabora" and waits for the run to end, or for nothing when it is refused.
    void elaboraAndWait(sestara::OrtogonaliSuper* w)
    {
        press(w, QStringLiteral("Command4"));
        waitForRun(w);
    }
    // Clicks the numbers from..to on "Sistemi" and develops them.
    void develop(sestara::OrtogonaliSuper* w, int from, int to)
    {
        find<QTabWidget>(w, QStringLiteral("SSTab1"))->setCurrentIndex(0);
        clickNumbers(w, from, to);
        elaboraAndWait(w);
    }
    int listed(sestara::OrtogonaliSuper* w) { return find<QListView>(w, QStringLiteral("Testo"))->model()->rowCount(); }
    // "Gioca Sistema" answered with OK: the slips are loaded and the question leaves the log.
    void loadSlips(sestara::OrtogonaliSuper* w)
    {
        messages().answers = {QMessageBox::Ok};
        press(w, QStringLiteral("Command5"));
        messages().clear();
    }
    // Starts the full system of 35 numbers in the window, or in a new one: it runs until the events
    // that report its end are processed.
    sestara::OrtogonaliSuper* startLongRun(sestara::OrtogonaliSuper* w = nullptr)
    {
        if (!w)
            w = newSystem();
        clickNumbers(w, 1, 35);
        press(w, QStringLiteral("Command4"));
        EXPECT_TRUE(w->isRunning());
        return w;
    }
    void waitForRun(sestara::OrtogonaliSuper* w)
    {
        ASSERT_TRUE(waitUntil([&] { return !w->isRunning(); }));
        settle();
    }
    // The progress window, while there is one.
    sestara::Loading* loading() const { return main_ ? main_->findChild<sestara::Loading*>("Loading") : nullptr; }

    sestara::MDIForm1* main_ = nullptr;
};

} // namespace guitest
