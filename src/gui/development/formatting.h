#pragma once

#include <QString>

#include <cstdint>

namespace sestara {

// Numbers as the windows show them, in the user's locale.

// "##,##0": 1623160 reads "1.623.160" in Italian.
QString formatCount(std::int64_t value);
// "##,##0.00" and three blanks and "€": 46200 cents read "462,00   €" in Italian.
QString formatMoney(double cents);
// "0.00" and " %".
QString formatPercent(double percent);

} // namespace sestara
