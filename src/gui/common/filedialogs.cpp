#include "gui/common/filedialogs.h"

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
                                  const QString& filter)
{
    FileDialogRequest request;
    request.caption = caption;
    request.folder = folder;
    request.filter = filter;
    if (handler())
        return handler()(request);
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void FileDialogs::setHandler(Handler h)
{
    handler() = std::move(h);
}

} // namespace sestara
