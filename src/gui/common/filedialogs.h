#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace sestara {

// One file dialog as the program asks for it.
struct FileDialogRequest {
    QString caption;
    QString folder; // where the dialog starts
    QString filter; // "Sistemi Files (*.sup)"
    QString name;   // the file name proposed, empty for none
    bool open = false; // a file to read rather than one to write
};

// Every file dialog of the program goes through here. A handler installed by the tests answers
// instead of a real dialog, so nothing waits on a user.
class FileDialogs {
public:
    // The answer is the full path of the file chosen; empty when the user cancels.
    using Handler = std::function<QString(const FileDialogRequest&)>;

    // The save dialog, starting in `folder` with `name` proposed (none when empty). It asks
    // nothing about an existing file: the caller asks its own question (confirmReplace).
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter, const QString& name = QString());

    // The open dialog, starting in `folder`, for an existing file.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter);

    // Replaces the real dialogs (an empty handler restores them).
    static void setHandler(Handler handler);
};

} // namespace sestara
