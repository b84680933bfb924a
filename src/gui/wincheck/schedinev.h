#pragma once

#include "core/wincheck/wincheck.h"

#include <QWidget>

#include <vector>

class QListView;

namespace sestara {

class WinningSlipsModel;

// "Elenco schedine vincenti": the program's one list of winning slips, above every other window.
// Escape or the close box closes it, and closing discards it with its list.
class SchedineV : public QWidget {
    Q_OBJECT
public:
    // The window, created on first use as a window of `mainWindow`.
    static SchedineV* instance(QWidget* mainWindow);
    // The window when it exists, else null.
    static SchedineV* existing();

    void setEntries(std::vector<WinningEntry> entries);
    void clear();
    int entryCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit SchedineV(QWidget* parent);

    WinningSlipsModel* model_ = nullptr;
    QListView* list_ = nullptr;
};

} // namespace sestara
