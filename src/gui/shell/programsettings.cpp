#include "shell/programsettings.h"

namespace sestara::programsettings {

namespace {
// Fifty cents a column until the settings file says otherwise.
double g_costoColonna = 50.0;
} // namespace

double costoColonnaCents()
{
    return g_costoColonna;
}

void setCostoColonnaCents(double cents)
{
    g_costoColonna = cents;
}

} // namespace sestara::programsettings
