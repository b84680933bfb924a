#pragma once

#include <QDialog>

namespace sestara {

// The dialog of the sum condition for one system window, tagged with that window's index.
class FiltroSomma : public QDialog {
    Q_OBJECT
public:
    explicit FiltroSomma(QWidget* mainWindow);

    // The index of the system window this dialog belongs to (its tag), 0 when untagged.
    int windowIndex() const;
};

} // namespace sestara
