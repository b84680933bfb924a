#pragma once

#include "gui/conditions/listpicker.h"

namespace sestara {

// The dialog of the consecutive numbers condition of one system window.
class FiltroConsecutivi2 : public ListPicker {
    Q_OBJECT
public:
    explicit FiltroConsecutivi2(QWidget* mainWindow);
};

} // namespace sestara
