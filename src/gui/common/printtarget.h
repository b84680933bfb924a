#pragma once

#include <functional>

class QPushButton;

namespace sestara {

// Where a print goes: the default printer, a preview window, or a PDF file chosen by the user.
enum class PrintTarget { Printer, Preview, Pdf };

// A print button: a click prints; its context menu offers "Anteprima" and "Esporta PDF"
// (object names: the button's, then "_Anteprima" or "_Pdf").
void addPrintTargets(QPushButton* button, const std::function<void(PrintTarget)>& print);

} // namespace sestara
