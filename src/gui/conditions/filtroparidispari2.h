#pragma once

#include <QDialog>

namespace sestara {

// The dialog of the even/odd condition for one system window, tagged with that window's index.
class FiltroPariDispari2 : public QDialog {
    Q_OBJECT
public:
    explicit FiltroPariDispari2(QWidget* mainWindow);

    // The index of the system window this dialog belongs to (its tag), 0 when untagged.
    int windowIndex() const;
};

} // namespace sestara
