#include "gui/development/formatting.h"

#include <QLocale>

namespace sestara {

QString formatCount(std::int64_t value)
{
    return QLocale().toString(static_cast<qlonglong>(value));
}

QString formatMoney(double cents)
{
    return QLocale().toString(cents / 100.0, 'f', 2) + QStringLiteral("   €");
}

QString formatPercent(double percent)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(percent, 'f', 2) + QStringLiteral(" %");
}

} // namespace sestara
