#include "gui/common/icons.h"

// The drawings are compiled into the static library: register them before the first lookup.
static void registerIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace sestara {
namespace {

struct ToolbarIcon {
    const char* key;
    const char* themeName; // freedesktop icon naming
};

constexpr ToolbarIcon kToolbarIcons[] = {
    {"esci", "application-exit"},
    {"new", "document-new"},
    {"archivio", "folder-open"},
    {"estrazioni", "x-office-spreadsheet"},
    {"opzioni", "document-properties"},
    {"window", "window-close"},
};

} // namespace

QIcon toolbarIcon(const QString& key)
{
    registerIconResources();
    for (const ToolbarIcon& icon : kToolbarIcons) {
        if (key != QLatin1String(icon.key))
            continue;
        const QIcon bundled(QStringLiteral(":/icons/") + key + QStringLiteral(".svg"));
        return QIcon::fromTheme(QString::fromLatin1(icon.themeName), bundled);
    }
    return QIcon();
}

} // namespace sestara
