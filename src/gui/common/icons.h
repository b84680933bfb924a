#pragma once

#include <QIcon>
#include <QString>

namespace sestara {

// The icon of a tool bar button: "esci", "new", "archivio", "opzioni" or "window". The desktop
// theme's icon when it has one, else the program's own drawing; a null icon for any other key.
QIcon toolbarIcon(const QString& key);

} // namespace sestara
