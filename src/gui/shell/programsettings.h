#pragma once

namespace sestara {

// The settings every window reads. Until the settings file is read they hold the defaults.
namespace programsettings {

// Price of one column in euro cents.
double costoColonnaCents();
void setCostoColonnaCents(double cents);

} // namespace programsettings
} // namespace sestara
