#include "tests/gui/guitest.h"

#include "core/draws/drawarchive.h"
#include "gui/common/barchart.h"
#include "gui/draws/archivioestrazioni.h"
#include "gui/draws/statistiche.h"
#include "gui/wincheck/verificastorica.h"

#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QWindow>

using namespace guitest;
using sestara::ArchivioEstrazioni;
using sestara::BarChart;
using sestara::Statistiche;
using sestara::VerificaStorica;

namespace {

// The main window with a user's folder of its own, where the archive of draws lives.
class EstrazioniTest : public GuiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(user_.isValid());
        messages().clear();
        fileDialogs() = {};
        main_ = new sestara::MDIForm1(QStringLiteral(SESTARA_PROGRAM_DIR), user_.path());
        main_->show();
        settle();
    }
    QString archivePath() const { return user_.filePath(QStringLiteral("Estrazioni.txt")); }
    ArchivioEstrazioni* openArchive()
    {
        find<QAction>(main_, "mnuEstrazioni")->trigger();
        settle();
        return main_->archivioEstrazioni();
    }
    // The table's rows as the user reads them, fields joined by blanks.
    static QStringList rows(QAbstractItemModel* model)
    {
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList fields;
            for (int c = 0; c < model->columnCount(); ++c)
                fields << model->index(r, c).data().toString();
            out << fields.join(' ');
        }
        return out;
    }
    static QStringList rows(QTableWidget* table, int columns)
    {
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList fields;
            for (int c = 0; c < columns; ++c)
                fields << table->item(r, c)->text();
            out << fields.join(' ');
        }
        return out;
    }

    QTemporaryDir user_;
};

TEST_F(EstrazioniTest, ArchiveImportedPastedAddedDeletedExportedAndItsStatistics)
{
    ArchivioEstrazioni* archive = openArchive();
    ASSERT_TRUE(archive);
    auto* table = find<QTableView>(archive, "tblEstrazioni");
    EXPECT_EQ(text(archive, "lblConteggio"), "0 estrazioni");
    find<QAction>(main_, "estrazioni")->trigger();
    EXPECT_EQ(main_->archivioEstrazioni(), archive) << "one archive window";

    // "Importa…": the file chosen, the message, the archive file and the table, newest first.
    const QString importFile = user_.filePath("scambio.txt");
    writeFile(importFile, "Concorso;Data;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n"
                          "1;02/01/2024;5;12;33;40;71;88;9;17\r\n"
                          "2;04/01/2024;5;12;33;40;71;95;9\r\n"
                          "3 09-01-2024 1 2 3 4 5 6 7\r\n");
    fileDialogs().answer = importFile;
    press(archive, "cmdImporta");
    EXPECT_EQ(messages().texts(),
              QStringList({"Importate 2 estrazioni, 0 già presenti, 1 riga scartata\n"
                           "Riga 3: numero non valido: \"95\" (da 1 a 90) (\"2;04/01/2024;5;12;33;40;71;95;9\")"}));
    EXPECT_EQ(contents(archivePath()), "1;2024-01-02;5;12;33;40;71;88;9;17\n3;2024-01-09;1;2;3;4;5;6;7;\n");
    EXPECT_EQ(rows(table->model()), QStringList({"09/01/2024 3 1 2 3 4 5 6 7 ", "02/01/2024 1 5 12 33 40 71 88 9 17"}));
    EXPECT_EQ(text(archive, "lblConteggio"), "2 estrazioni");

    // "Incolla": the same rules; a text with no draw says so.
    messages().clear();
    QGuiApplication::clipboard()->setText("2024-01-09 1 2 3 4 5 6 7\n2024-01-11 10 20 30 40 50 60 70 80\n");
    press(archive, "cmdIncolla");
    QGuiApplication::clipboard()->setText("nessuna estrazione");
    press(archive, "cmdIncolla");
    EXPECT_EQ(messages().texts(), QStringList({"Importata 1 estrazione, 1 già presente, 0 righe scartate",
                                               "Il testo incollato non contiene alcuna estrazione"}));

    // "Aggiungi": one draw typed by hand; a bad one and one whose date is held are refused.
    messages().clear();
    auto* line = find<QLineEdit>(archive, "txtEstrazione");
    line->setText("16/01/2024 1 2 3 4 5 6 6");
    press(archive, "cmdAggiungi");
    line->setText("11/01/2024 1 2 3 4 5 6 7");
    press(archive, "cmdAggiungi");
    line->setText("16/01/2024 11 22 33 44 55 66 77");
    press(archive, "cmdAggiungi");
    EXPECT_EQ(messages().texts(), QStringList({"Estrazione non valida: jolly uguale a un numero estratto: 6",
                                               "Estrazione del 11/01/2024 già presente con altri numeri"}));
    EXPECT_EQ(line->text(), "");
    EXPECT_EQ(table->model()->rowCount(), 4);
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), "16/01/2024");

    // "Elimina": asked first; "No" keeps the draw.
    messages().clear();
    table->selectRow(1);
    messages().answers = {QMessageBox::No, QMessageBox::Yes};
    press(archive, "cmdElimina");
    EXPECT_EQ(table->model()->rowCount(), 4);
    press(archive, "cmdElimina");
    EXPECT_EQ(messages().texts(), QStringList({"Eliminare l'estrazione del 11/01/2024?",
                                               "Eliminare l'estrazione del 11/01/2024?"}));
    EXPECT_EQ(messages().shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(contents(archivePath()), "1;2024-01-02;5;12;33;40;71;88;9;17\n3;2024-01-09;1;2;3;4;5;6;7;\n"
                                       ";2024-01-16;11;22;33;44;55;66;77;\n");

    // "Esporta CSV".
    fileDialogs().answer = user_.filePath("copia.csv");
    press(archive, "cmdEsportaCsv");
    EXPECT_EQ(contents(user_.filePath("copia.csv")), "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar\r\n"
                                                     "2024-01-02;1;5;12;33;40;71;88;9;17\r\n"
                                                     "2024-01-09;3;1;2;3;4;5;6;7;\r\n"
                                                     "2024-01-16;;11;22;33;44;55;66;77;\r\n");

    // "Statistiche": every number, sortable, with its chart.
    messages().clear();
    press(archive, "cmdStatistiche");
    Statistiche* stats = archive->statistiche();
    ASSERT_TRUE(stats && stats->isVisible());
    auto* statsTable = find<QTableWidget>(stats, "tblStatistiche");
    ASSERT_EQ(statsTable->rowCount(), 90);
    EXPECT_EQ(rows(statsTable, 5).mid(0, 1), QStringList({"1 1 0 1 1"}));
    statsTable->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(statsTable->item(0, 3)->text(), "0");
    statsTable->sortByColumn(1, Qt::DescendingOrder);
    QStringList top = rows(statsTable, 5).mid(0, 2);
    top.sort();
    EXPECT_EQ(top, QStringList({"33 2 0 0 1", "5 2 0 1 1"})) << "the two numbers drawn twice come first";
    auto* chart = find<BarChart>(stats, "graficoStatistiche");
    ASSERT_EQ(chart->values().size(), 90);
    EXPECT_EQ(chart->values()[4], 2.0);
    EXPECT_EQ(chart->values()[6], 0.0);
    chooseItem(find<QComboBox>(stats, "cboGrafico"), "Jolly");
    EXPECT_EQ(chart->values()[6], 1.0);
    // The period: the whole archive at first, then the first draw only.
    EXPECT_EQ(find<QDateEdit>(stats, "dtDal")->date(), QDate(2024, 1, 2));
    find<QDateEdit>(stats, "dtAl")->setDate(QDate(2024, 1, 5));
    EXPECT_EQ(text(stats, "lblEstrazioni"), "1 estrazione");
    EXPECT_EQ(chart->values()[8], 1.0);
    // A period with no draw, or upside down, is said so, with no zeros for figures.
    find<QDateEdit>(stats, "dtDal")->setDate(QDate(2024, 1, 3));
    EXPECT_EQ(text(stats, "lblEstrazioni"), "Nessuna estrazione nel periodo scelto");
    find<QDateEdit>(stats, "dtDal")->setDate(QDate(2024, 1, 6));
    EXPECT_EQ(text(stats, "lblEstrazioni"), "Periodo non valido: la data \"Dal\" viene dopo la data \"al\"");
    EXPECT_EQ(statsTable->item(0, 1)->text() + statsTable->item(89, 4)->text(), "");
    EXPECT_TRUE(chart->values().isEmpty());
    find<QDateEdit>(stats, "dtDal")->setDate(QDate(2024, 1, 2));
    EXPECT_FALSE(statsTable->horizontalScrollBar()->isVisible()); // every column whole

    // "Usa come pronostico": 10 to 55 numbers selected open a new system window with them.
    press(stats, "cmdUsaPronostico");
    EXPECT_EQ(messages().texts(), QStringList({"Selezionare da 10 a 55 numeri da usare come pronostico"}));
    statsTable->clearSelection();
    for (int row = 0; row < 12; ++row)
        statsTable->selectRow(row);
    const QVector<int> chosen = stats->selectedNumbers();
    ASSERT_EQ(chosen.size(), 12);
    press(stats, "cmdUsaPronostico");
    settle();
    sestara::OrtogonaliSuper* w = main_->activeSystemWindow();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->document().prediction().count(), 12);
    for (int n : chosen)
        EXPECT_TRUE(w->document().prediction().isSelected(n)) << n;
    EXPECT_EQ(find<QComboBox>(w, "Combo2")->currentText(), "12");
    // The statistics are not kept above the main window, where the new system window opens.
    EXPECT_EQ(stats->windowHandle()->transientParent(), nullptr);
}

TEST_F(EstrazioniTest, AnArchiveThatCannotBeReadIsNeverWrittenOver)
{
    // A folder where the archive should be: said once, and nothing is saved over it.
    ASSERT_TRUE(QDir(user_.path()).mkdir("Estrazioni.txt"));
    ArchivioEstrazioni* archive = openArchive();
    settle();
    ASSERT_EQ(messages().texts().size(), 1);
    EXPECT_EQ(messages().texts()[0],
              "Impossibile leggere l'archivio delle estrazioni " + archivePath() +
                  ": è una cartella, non un file\n"
                  "L'archivio delle estrazioni non è stato letto: nessuna modifica viene salvata");
    find<QLineEdit>(archive, "txtEstrazione")->setText("02/01/2024 1 2 3 4 5 6 7");
    press(archive, "cmdAggiungi");
    EXPECT_EQ(messages().texts().value(1), "L'archivio delle estrazioni non è stato letto: nessuna modifica viene salvata");
    EXPECT_TRUE(QFileInfo(archivePath()).isDir());
    EXPECT_EQ(find<QTableView>(archive, "tblEstrazioni")->model()->rowCount(), 0);
}

TEST_F(EstrazioniTest, LinesNotTakenAreKeptThroughAnEdit)
{
    const QByteArray odd = "# note\n;2024-01-02;1;2;3;4;5;6;95;\n;2024-01-02;1;2;3;4;5;6;8;\n";
    writeFile(archivePath(), ";2024-01-02;1;2;3;4;5;6;7;\n" + odd + ";2024-01-09;1;2;3;4;5;6;7;\n");
    ArchivioEstrazioni* archive = openArchive();
    settle();
    EXPECT_EQ(messages().texts(),
              QStringList({"L'archivio delle estrazioni " + archivePath() + " contiene 2 righe non valide: restano "
                           "nel file così come sono, ma non vengono usate:\n"
                           "Riga 3: jolly non valido: \"95\" (da 1 a 90) (\";2024-01-02;1;2;3;4;5;6;95;\")\n"
                           "Riga 4: estrazione del 02/01/2024 già presente con altri numeri "
                           "(\";2024-01-02;1;2;3;4;5;6;8;\")"}));
    // A draw after today is refused; one before the odd lines' draw leaves them where they were.
    messages().clear();
    auto* line = find<QLineEdit>(archive, "txtEstrazione");
    line->setText("31/12/2099 1 2 3 4 5 6 7");
    press(archive, "cmdAggiungi");
    EXPECT_EQ(messages().texts().value(0).left(50), "Estrazione non valida: data futura: \"31/12/2099\" (");
    line->setText("01/01/2024 1 2 3 4 5 6 7");
    press(archive, "cmdAggiungi");
    EXPECT_EQ(contents(archivePath()),
              ";2024-01-01;1;2;3;4;5;6;7;\n;2024-01-02;1;2;3;4;5;6;7;\n" + odd + ";2024-01-09;1;2;3;4;5;6;7;\n");
}

TEST_F(EstrazioniTest, VerificaStoricaChecksTheDevelopmentAgainstEveryDraw)
{
    sestara::OrtogonaliSuper* w = newSystem();
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(2);
    press(w, "cmdVerificaStorica");
    develop(w, 5, 14);
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(2);
    press(w, "cmdVerificaStorica");
    EXPECT_EQ(messages().texts(),
              QStringList({"Elaborare Sistema", "L'archivio delle estrazioni è vuoto: importare le estrazioni da "
                                                "\"Archivio Estrazioni\""}));
    messages().clear();

    writeFile(archivePath(), "1;2024-01-02;5;6;7;8;9;10;14;\n"
                             ";2024-01-04;55;14;3;60;70;80;1;\n"
                             "3;2024-01-09;5;6;7;40;50;60;8;\n");
    press(w, "cmdVerificaStorica");
    waitForRun(w);
    auto* window = w->findChild<VerificaStorica*>("VerificaStorica");
    ASSERT_TRUE(window && window->isVisible());
    auto* table = find<QTableWidget>(window, "tblVerifica");
    // Newest first, as in the archive; the chart runs in time from left to right.
    EXPECT_EQ(rows(table, 7), QStringList({"09/01/2024 105 35 0 0 0 0", "04/01/2024 0 0 0 0 0 0",
                                           "02/01/2024 15 80 90 18 6 1", "TOTALE 120 115 90 18 6 1"}));
    EXPECT_TRUE(table->item(2, 3)->font().bold());
    EXPECT_FALSE(table->item(1, 3)->font().bold());
    EXPECT_TRUE(table->item(0, 0)->font().bold());
    EXPECT_EQ(text(window, "lblVincenti"), "2 estrazioni vincenti su 3");
    EXPECT_EQ(find<BarChart>(window, "graficoVincite")->values(), QVector<double>({210, 0, 140}));
    EXPECT_EQ(find<QDateEdit>(window, "dtDal")->date(), QDate(2024, 1, 2));
    EXPECT_EQ(find<QDateEdit>(window, "dtAl")->date(), QDate(2024, 1, 9));

    // A shorter period, checked again.
    find<QDateEdit>(window, "dtDal")->setDate(QDate(2024, 1, 3));
    press(window, "cmdVerifica");
    waitForRun(w);
    EXPECT_EQ(rows(table, 7), QStringList({"09/01/2024 105 35 0 0 0 0", "04/01/2024 0 0 0 0 0 0",
                                           "TOTALE 105 35 0 0 0 0"}));
    EXPECT_EQ(text(window, "lblVincenti"), "1 estrazione vincente su 2");

    fileDialogs().answer = user_.filePath("verifica.csv");
    press(window, "cmdEsportaCsv");
    EXPECT_EQ(contents(user_.filePath("verifica.csv")),
              "Data;Concorso;N1;N2;N3;N4;N5;N6;Jolly;SuperStar;DUE;TRE;QUATTRO;CINQUE;CINQUE+1;SEI\r\n"
              "2024-01-04;;55;14;3;60;70;80;1;;0;0;0;0;0;0\r\n"
              "2024-01-09;3;5;6;7;40;50;60;8;;105;35;0;0;0;0\r\n"
              "TOTALE;;;;;;;;;;105;35;0;0;0;0\r\n");
    EXPECT_TRUE(messages().texts().isEmpty()) << messages().texts().join('|').toStdString();

    // No draw in the period, or "Dal" after "al": said, with no zeros for a result.
    find<QDateEdit>(window, "dtAl")->setDate(QDate(2024, 1, 3));
    press(window, "cmdVerifica");
    waitForRun(w);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(text(window, "lblVincenti"), "Nessuna estrazione nel periodo scelto");
    find<QDateEdit>(window, "dtAl")->setDate(QDate(2024, 1, 2));
    press(window, "cmdVerifica");
    EXPECT_EQ(messages().texts(), QStringList({"Periodo non valido: la data \"Dal\" viene dopo la data \"al\""}));

    // A new development leaves no history of the old one on show.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    elaboraAndWait(w);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(text(window, "lblVincenti"), "");
}

TEST_F(EstrazioniTest, ASuperStarSystemItsCostsStellaClassesFileAndHistory)
{
    sestara::OrtogonaliSuper* w = newSystem();
    // The 20-number full system, 38,760 columns, takes two receipts.
    develop(w, 1, 20);
    EXPECT_EQ(text(w, "lblRicevute"), "Il sistema richiede 2 ricevute da al massimo 27.132 colonne");
    EXPECT_FALSE(find<QLabel>(w, "lblRicevute")->isHidden());

    // SuperStar 33 on ten numbers: 210 columns at 1,00 euro and 0,50 euro.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    press(w, "Command2");
    find<QComboBox>(w, "cboSuperStar")->setCurrentIndex(33);
    develop(w, 5, 14);
    EXPECT_EQ(text(w, "Label14"), QStringLiteral("315,00   €"));
    EXPECT_EQ(text(w, "lblSuperStar"), QStringLiteral("SuperStar 33: 105,00   € del costo"));
    EXPECT_TRUE(find<QLabel>(w, "lblRicevute")->isHidden());

    // "Spoglio" with the drawn SuperStar: the stella classes; another one: all 0.
    find<QTabWidget>(w, "SSTab1")->setCurrentIndex(2);
    for (int n : {5, 6, 7, 8, 9, 10, 14})
        clickCell(find<sestara::PredictionGrid>(w, "MSFlexGrid2"), sestara::PredictionGrid::rowOf(n),
                  sestara::PredictionGrid::columnOf(n));
    for (const auto& [drawn, expected] : {std::pair<int, QString>{33, "0 0 15 80 90 18 6 1"}, {34, "0 0 0 0 0 0 0 0"}}) {
        find<QComboBox>(w, "cboSuperStarEstratto")->setCurrentIndex(drawn);
        press(w, "Command12");
        waitForRun(w);
        QStringList stella;
        for (int c = 0; c < 8; ++c)
            stella << text(w, QStringLiteral("lblStella_%1").arg(c));
        EXPECT_EQ(stella.join(' '), expected) << drawn;
    }

    fileDialogs().answer = user_.filePath("stella.sup");
    press(w, "Command14");
    EXPECT_EQ(contents(user_.filePath("stella.sup")),
              "Sistema=10 numeri sistema Integrale\r\nLista=5 6 7 8 9 10 11 12 13 14 \r\nSuperStar=33\r\n");

    // Verifica Storica: the stella classes of the draws with superstar 33, a note for the unknown one.
    writeFile(archivePath(), "1;2024-01-02;5;6;7;8;9;10;14;33\n;2024-01-04;55;14;3;60;70;80;1;\n"
                             "3;2024-01-09;5;6;7;40;50;60;8;34\n");
    press(w, "cmdVerificaStorica");
    waitForRun(w);
    auto* window = w->findChild<VerificaStorica*>("VerificaStorica");
    ASSERT_TRUE(window);
    auto* table = find<QTableWidget>(window, "tblVerifica");
    EXPECT_EQ(table->horizontalHeaderItem(13)->text(), "5+1 stella");
    EXPECT_EQ(rows(table, 15), QStringList({"09/01/2024 105 35 0 0 0 0 0 0 0 0 0 0 0 0",
                                            "04/01/2024 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
                                            "02/01/2024 15 80 90 18 6 1 0 0 15 80 90 18 6 1",
                                            "TOTALE 120 115 90 18 6 1 0 0 15 80 90 18 6 1"}));
    EXPECT_EQ(text(window, "lblSenzaSuperStar"),
              "1 estrazione del periodo senza superstar: per essa non si contano le vincite stella");
}

} // namespace
