#include "gui/common/appinfo.h"

#include "core/util/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString dataFolder()
{
    return QString::fromStdString(findDataFolder(programFolder().toStdString()));
}

QString ownFolder(const QString& program, const QString& installed)
{
    // A program folder with its data beside it keeps the user's files too, as long as it can; an
    // installed copy (bin, with its data in share) never writes into its bin folder.
    if (holdsDataFiles(program.toStdString()) && QFileInfo(program).isWritable())
        return program;
    QDir().mkpath(installed);
    return installed;
}

QString userFolder()
{
    return ownFolder(programFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString systemsFolder()
{
    // Where a user browsing their files looks for them: "Sestara" among their documents.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return ownFolder(programFolder(), QDir(documents).filePath(productName()));
}

QString mainWindowCaption()
{
    return QStringLiteral(" ") + productName() + QStringLiteral("  Versione ") + QString::number(versionMajor()) +
           QStringLiteral(".") + QString::number(versionMinor()) + QStringLiteral("  ") + publisherName();
}

} // namespace sestara::appinfo
