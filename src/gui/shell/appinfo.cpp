#include "shell/appinfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef SESTARA_VERSION_MAJOR
#define SESTARA_VERSION_MAJOR 1
#endif
#ifndef SESTARA_VERSION_MINOR
#define SESTARA_VERSION_MINOR 0
#endif

namespace sestara::appinfo {

QString productName()
{
    return QStringLiteral("Sestara");
}

QString publisherName()
{
    return QStringLiteral("Sestara Software");
}

int versionMajor()
{
    return SESTARA_VERSION_MAJOR;
}

int versionMinor()
{
    return SESTARA_VERSION_MINOR;
}

QString executableName()
{
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        return QStringLiteral("sestara");
    return QFileInfo(path).fileName();
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString mainWindowCaption()
{
    return QStringLiteral(" ") + productName() + QStringLiteral("  Versione ") + QString::number(versionMajor()) +
           QStringLiteral(".") + QString::number(versionMinor()) + QStringLiteral("  ") + publisherName();
}

} // namespace sestara::appinfo
