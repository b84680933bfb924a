#pragma once

#include <QString>

namespace sestara {

class SingleInstanceGuard;

// "Una copia di <executable> è già in funzione"
QString secondCopyMessage(const QString& executableName);

// The start-up check: takes the guard, or shows the second-copy message and returns false, in
// which case the program ends at once.
bool checkSingleInstance(SingleInstanceGuard& guard, const QString& executableName);

} // namespace sestara
