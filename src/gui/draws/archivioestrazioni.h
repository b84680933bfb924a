#pragma once

#include "core/draws/drawarchive.h"

#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sestara {

class DrawTableModel;
class Statistiche;

// "Archivio Estrazioni": the draws of the archive file, newest first, with import from a file or
// the clipboard, a draw added by hand, deletion, a CSV copy and the numbers' statistics. Every
// change is written to the archive file at once; a change that cannot be saved is undone.
class ArchivioEstrazioni : public QWidget {
    Q_OBJECT
public:
    explicit ArchivioEstrazioni(const QString& archivePath, QWidget* parent = nullptr);
    ~ArchivioEstrazioni() override;

    const DrawArchive& archive() const { return archive_; }
    QString archivePath() const { return path_; }
    Statistiche* statistiche() const;

    // "Importa…" of a file, and "Incolla".
    void importa(const QString& path);
    void incolla();

signals:
    // "Usa come pronostico" in the statistics: a new system window with these numbers.
    void pronosticoRichiesto(const QVector<int>& numbers);

private:
    void chooseAndImport();
    void importReading(const DrawReading& reading, const char* emptyMessage);
    void aggiungi();
    void elimina();
    void esportaCsv();
    void showStatistiche();
    // Saves the archive as changed; on failure says why and keeps the one before.
    bool commit(const DrawArchive& changed);
    void showArchive();

    QString path_;
    DrawArchive archive_;
    bool readable_ = true;
    DrawTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    QLineEdit* newDraw_ = nullptr;
    QPointer<Statistiche> statistiche_;
};

} // namespace sestara
