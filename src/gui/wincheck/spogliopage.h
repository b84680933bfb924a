#pragma once

#include <QWidget>

namespace sestara {

// The "Spoglio" tab: the check of the development against a drawn combination.
class SpoglioPage : public QWidget {
    Q_OBJECT
public:
    explicit SpoglioPage(QWidget* parent = nullptr);

signals:
    void chiudiRequested();
};

} // namespace sestara
