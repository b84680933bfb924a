#pragma once

#include "gui/conditions/listpicker.h"

namespace sestara {

// The dialog of the fixed numbers condition of one system window.
class FiltroPresenzeSuper : public ListPicker {
    Q_OBJECT
public:
    explicit FiltroPresenzeSuper(QWidget* mainWindow);
};

} // namespace sestara
