#pragma once

#include "gui/common/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QString>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace sestara {
class Loading;
class MDIForm1;
class OrtogonaliSuper;
}

namespace guitest {

// Every message box the program asked for, in order, answered from a queue (OK when empty).
struct MessageLog {
    std::vector<sestara::MessageRequest> shown;
    std::deque<QMessageBox::StandardButton> answers;
    // Called while the box would be open, before it is answered.
    std::function<void(const sestara::MessageRequest&)> onShow;

    void clear()
    {
        shown.clear();
        answers.clear();
        onShow = nullptr;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const auto& m : shown)
            t << m.text;
        return t;
    }
};

MessageLog& messages();

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
// A file's bytes, or "(missing)" when it cannot be read.
QByteArray contents(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// Clicks the push button of that name.
void press(QWidget* root, const QString& name);
// Whether a condition button shows green to the user, looked at away from its caption.
bool isGreen(QWidget* root, const QString& buttonName);
// Clicks a cell of a grid where the user would.
void clickCell(QTableWidget* grid, int row, int column);
// Chooses an entry of a drop-down list as the user does, even the one already selected.
void chooseItem(QComboBox* combo, const QString& text);
QStringList items(const QComboBox* combo);

// A main window with the program's data folder, shown, and the message log cleared.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    sestara::OrtogonaliSuper* newSystem();
    void clickNumber(sestara::OrtogonaliSuper* w, int number);
    void clickNumbers(sestara::OrtogonaliSuper* w, int from, int to);
    QString text(QWidget* root, const QString& labelName);
    // Presses "Elabora" and waits for the run to end.
    void elaboraAndWait(sestara::OrtogonaliSuper* w);
    // Waits for the window's run to end and lets its end be shown.
    void waitForRun(sestara::OrtogonaliSuper* w);
    // The progress window, while there is one.
    sestara::Loading* loading() const;

    sestara::MDIForm1* main_ = nullptr;
};

} // namespace guitest
