#include "gui/draws/archivioestrazioni.h"

#include "core/util/files.h"
#include "gui/common/filedialogs.h"
#include "gui/common/messages.h"
#include "gui/common/pagewidgets.h"
#include "gui/draws/drawtablemodel.h"
#include "gui/draws/statistiche.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace sestara {

using ui::button;

namespace {

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

ArchivioEstrazioni::ArchivioEstrazioni(const QString& archivePath, QWidget* parent)
    : QWidget(parent)
    , path_(archivePath)
    , model_(new DrawTableModel(this))
{
    setObjectName(QStringLiteral("ArchivioEstrazioni"));
    setWindowTitle(QStringLiteral("Archivio Estrazioni"));

    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("tblEstrazioni"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    count_ = ui::valueLabel(QStringLiteral("lblConteggio"));
    newDraw_ = new QLineEdit;
    newDraw_->setObjectName(QStringLiteral("txtEstrazione"));
    newDraw_->setPlaceholderText(QStringLiteral("02/01/2024 5 12 33 40 71 88 9"));

    QPushButton* importa = button(QStringLiteral("cmdImporta"), QStringLiteral("Importa…"));
    connect(importa, &QPushButton::clicked, this, &ArchivioEstrazioni::chooseAndImport);
    QPushButton* incolla = button(QStringLiteral("cmdIncolla"), QStringLiteral("Incolla"));
    connect(incolla, &QPushButton::clicked, this, &ArchivioEstrazioni::incolla);
    QPushButton* aggiungi = button(QStringLiteral("cmdAggiungi"), QStringLiteral("Aggiungi"));
    connect(aggiungi, &QPushButton::clicked, this, &ArchivioEstrazioni::aggiungi);
    connect(newDraw_, &QLineEdit::returnPressed, this, &ArchivioEstrazioni::aggiungi);
    QPushButton* elimina = button(QStringLiteral("cmdElimina"), QStringLiteral("Elimina"));
    connect(elimina, &QPushButton::clicked, this, &ArchivioEstrazioni::elimina);
    QPushButton* csv = button(QStringLiteral("cmdEsportaCsv"), QStringLiteral("Esporta CSV"));
    connect(csv, &QPushButton::clicked, this, &ArchivioEstrazioni::esportaCsv);
    QPushButton* statistiche = button(QStringLiteral("cmdStatistiche"), QStringLiteral("Statistiche"));
    connect(statistiche, &QPushButton::clicked, this, &ArchivioEstrazioni::showStatistiche);
    QPushButton* chiudi = button(QStringLiteral("cmdChiudi"), QStringLiteral("Chiudi"), QStringLiteral("Chiudi Finestra"));
    connect(chiudi, &QPushButton::clicked, this, [this] {
        if (QWidget* frame = parentWidget())
            frame->close();
        else
            close();
    });

    auto* add = new QHBoxLayout;
    add->addWidget(new QLabel(QStringLiteral("Nuova estrazione:")));
    add->addWidget(newDraw_, 1);
    add->addWidget(aggiungi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(count_);
    layout->addLayout(add);
    layout->addLayout(ui::buttonRow({importa, incolla, elimina, csv, statistiche}, chiudi));
    resize(760, 560);

    const ArchiveLoad load = loadDrawArchive(localPath(path_));
    QString problem;
    if (!load.ok()) {
        // The file stays as it is: nothing the window does is saved over it.
        readable_ = false;
        problem = text(load.error) + QLatin1Char('\n') + QString::fromUtf8(kMsgArchivioNonLetto);
    } else {
        problem = text(keptLinesWarning(load.summary, path_.toStdString()));
    }
    archive_ = load.archive;
    showArchive();
    if (!problem.isEmpty())
        QTimer::singleShot(0, this, [this, problem] { Messages::show(this, problem, MessageIcon::Exclamation); });
}

ArchivioEstrazioni::~ArchivioEstrazioni() = default;

Statistiche* ArchivioEstrazioni::statistiche() const
{
    return statistiche_.data();
}

void ArchivioEstrazioni::showArchive()
{
    model_->setDraws(archive_.draws());
    count_->setText(text(drawCountText(archive_.draws().size())));
    if (statistiche_)
        statistiche_->setDraws(archive_.draws());
}

bool ArchivioEstrazioni::commit(const DrawArchive& changed)
{
    if (!readable_) {
        Messages::show(this, QString::fromUtf8(kMsgArchivioNonLetto), MessageIcon::Critical);
        return false;
    }
    const std::string failure = saveDrawArchive(changed, localPath(path_));
    if (!failure.empty()) {
        Messages::show(this, text(failure), MessageIcon::Critical);
        return false;
    }
    archive_ = changed;
    showArchive();
    return true;
}

void ArchivioEstrazioni::chooseAndImport()
{
    const QString path = FileDialogs::openFileName(this, QStringLiteral("Importa Estrazioni"),
                                                   QFileInfo(path_).absolutePath(),
                                                   QStringLiteral("Estrazioni (*.txt *.csv);;Tutti i file (*)"));
    if (!path.isEmpty())
        importa(path);
}

void ArchivioEstrazioni::importa(const QString& path)
{
    const DrawFileReading file = readDrawFile(localPath(path));
    if (!file.ok()) {
        Messages::show(this, text(file.error), MessageIcon::Critical);
        return;
    }
    importReading(file.reading, kMsgNessunaEstrazioneFile);
}

void ArchivioEstrazioni::incolla()
{
    importReading(readDraws(QApplication::clipboard()->text().toStdString()), kMsgNessunaEstrazioneTesto);
}

void ArchivioEstrazioni::importReading(const DrawReading& reading, const char* emptyMessage)
{
    DrawArchive changed = archive_;
    const ImportSummary summary = changed.import(reading);
    if (summary.added > 0 && !commit(changed))
        return;
    Messages::show(this, text(importMessage(summary, emptyMessage)),
                   summary.read == 0 ? MessageIcon::Exclamation : MessageIcon::Information);
}

void ArchivioEstrazioni::aggiungi()
{
    const DrawReading reading = readDraws(newDraw_->text().toStdString());
    if (!reading.refused.empty()) {
        Messages::show(this, QStringLiteral("Estrazione non valida: ") + text(reading.refused.front().reason),
                       MessageIcon::Exclamation);
        return;
    }
    if (reading.draws.size() != 1) {
        Messages::show(this, QString::fromUtf8(kMsgScrivereEstrazione), MessageIcon::Exclamation);
        return;
    }
    DrawArchive changed = archive_;
    const Draw& draw = reading.draws.front();
    switch (changed.add(draw)) {
    case DrawArchive::AddResult::Present:
        Messages::show(this, QString::fromUtf8(kMsgEstrazioneGiaPresente), MessageIcon::Information);
        return;
    case DrawArchive::AddResult::Conflict:
        Messages::show(this, text("Estrazione del " + playerDate(draw.date) + " già presente con altri numeri"),
                       MessageIcon::Exclamation);
        return;
    case DrawArchive::AddResult::Added:
        break;
    }
    if (commit(changed))
        newDraw_->clear();
}

void ArchivioEstrazioni::elimina()
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        Messages::show(this, QString::fromUtf8(kMsgSelezionareEstrazioni), MessageIcon::Exclamation);
        return;
    }
    std::vector<int> dates;
    for (const QModelIndex& row : rows)
        dates.push_back(model_->drawAt(row.row()).date);
    std::sort(dates.begin(), dates.end());
    const QString question = text(eliminareQuestion(dates.size(), dates.front()));
    if (Messages::show(this, question, MessageIcon::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    DrawArchive changed = archive_;
    changed.remove(dates);
    if (commit(changed))
        table_->clearSelection();
}

void ArchivioEstrazioni::esportaCsv()
{
    const QString path = FileDialogs::saveFileName(this, QStringLiteral("Esporta CSV"), QFileInfo(path_).absolutePath(),
                                                   QStringLiteral("CSV (*.csv)"), QStringLiteral("Estrazioni.csv"));
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !confirmReplace(this, QFileInfo(path).fileName()))
        return;
    const std::string failure = writeFileAtomically(localPath(path), drawsCsvText(archive_.draws()));
    if (!failure.empty())
        Messages::show(this, QStringLiteral("Impossibile salvare il file %1: ").arg(path) + text(failure),
                       MessageIcon::Critical);
}

void ArchivioEstrazioni::showStatistiche()
{
    if (!statistiche_) {
        statistiche_ = new Statistiche(this);
        connect(statistiche_.data(), &Statistiche::pronosticoRichiesto, this, &ArchivioEstrazioni::pronosticoRichiesto);
        statistiche_->setDraws(archive_.draws());
    }
    statistiche_->show();
    statistiche_->raise();
    statistiche_->activateWindow();
}

} // namespace sestara
