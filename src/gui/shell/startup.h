#pragma once

namespace sestara {

class SingleInstanceGuard;

// Names the running application "sestara", the name its folder for the user's files follows.
// No display name is set: the X11 platform would append it to every window title, and each
// window's caption must read exactly as the program sets it.
void setUpApplication();

// The start-up check: takes the guard, or shows "Una copia di Sestara è già in funzione" and
// returns false, in which case the program ends at once.
bool checkSingleInstance(SingleInstanceGuard& guard);

} // namespace sestara
