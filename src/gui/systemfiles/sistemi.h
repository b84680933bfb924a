#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QFileSystemModel;
class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QTimer;
class QTreeView;

namespace sestara {

// The archive window: the system files of one folder, listed as a person sorts them, with the
// buttons to open one, delete one or delete them all, and the folder chooser. The list is rebuilt
// from the folder whenever the window is activated, the folder changes or its files change.
class Sistemi : public QWidget {
    Q_OBJECT
public:
    explicit Sistemi(QWidget* parent = nullptr);
    ~Sistemi() override;

    // The archive folder, the one shown by the folder chooser.
    QString folder() const { return folder_; }
    // Points the archive at another folder, as choosing it in the folder chooser does.
    void setFolder(const QString& path);
    // Rebuilds the list from the folder, keeping the selected entry when it is still there.
    void aggiornaArchivio();

    // The entry texts in the list's order.
    QStringList entries() const;

signals:
    // A system chosen to be opened: the full path of its file.
    void sistemaRichiesto(const QString& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void svuotaArchivio();
    void eliminaSistema();
    void visualizzaSistema();
    void apriSelezionato();
    void chiudi();
    QString selectedName() const;
    QString pathOf(const QString& name) const;
    void watchFolder();
    void showFolderInChooser();

    QString folder_;
    // The entries the list shows, in its order.
    QStringList shown_;
    QListWidget* list_ = nullptr;
    QTreeView* folders_ = nullptr;
    QLabel* folderLabel_ = nullptr; // the folder shown, named above the list
    QFileSystemModel* folderModel_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    // Gathers a burst of changes in the folder into one rebuild.
    QTimer* refresh_ = nullptr;
    bool followingFrame_ = false;
};

} // namespace sestara
