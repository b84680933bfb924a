#pragma once

#include "shell/messages.h"

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

    sestara::MDIForm1* main_ = nullptr;
};

} // namespace guitest
