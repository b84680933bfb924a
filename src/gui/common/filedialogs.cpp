#include "gui/common/filedialogs.h"

#include <QDir>
#include <QFileDialog>

namespace sestara {

namespace {

FileDialogs::Handler& handler()
{
    static FileDialogs::Handler h;
    return h;
}

} // namespace

QString FileDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter, const QString& name)
{
    FileDialogRequest request;
    request.caption = caption;
    request.folder = folder;
    request.filter = filter;
    request.name = name;
    if (handler())
        return handler()(request);
    // A folder alone would be taken for a file name when it does not exist: the dialog always
    // gets the folder with a trailing separator, or the folder and the proposed name.
    const QString start =
        name.isEmpty() ? QDir(folder).absolutePath() + QLatin1Char('/') : QDir(folder).filePath(name);
    return QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString FileDialogs::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter)
{
    FileDialogRequest request;
    request.caption = caption;
    request.folder = folder;
    request.filter = filter;
    request.open = true;
    if (handler())
        return handler()(request);
    return QFileDialog::getOpenFileName(parent, caption, QDir(folder).absolutePath(), filter);
}

void FileDialogs::setHandler(Handler h)
{
    handler() = std::move(h);
}

} // namespace sestara
