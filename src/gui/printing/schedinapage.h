#pragma once

#include <QWidget>

namespace sestara {

// The "Schedina" tab: the betting slip and its printing.
class SchedinaPage : public QWidget {
    Q_OBJECT
public:
    explicit SchedinaPage(QWidget* parent = nullptr);

signals:
    void chiudiRequested();
};

} // namespace sestara
