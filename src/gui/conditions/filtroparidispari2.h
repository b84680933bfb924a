#pragma once

#include "gui/conditions/listpicker.h"

namespace sestara {

// The dialog of the even/odd condition of one system window.
class FiltroPariDispari2 : public ListPicker {
    Q_OBJECT
public:
    explicit FiltroPariDispari2(QWidget* mainWindow);
};

} // namespace sestara
