// Runs the command-line programs as a user would and checks their bytes, files and exit codes.
#include "core/advice/advisor.h"
#include "core/development/catalogue.h"
#include "core/development/run.h"
#include "core/systemfiles/systemfile.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>

#include <sys/wait.h>

using sestara::kMsgAlmeno10;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

// Runs one of the programs of the program folder through the shell; `before` is shell text run first.
CliRun run(const std::string& program, const std::string& args, const std::string& before = "")
{
    static const testutil::TempDir io;
    const std::string cmd = before + std::string(SESTARA_PROGRAM_DIR) + "/" + program + " " + args + " >" +
                            io.file("out") + " 2>" + io.file("err") + " </dev/null";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testutil::readFile(io.file("out")),
            testutil::readFile(io.file("err"))};
}

CliRun cli(const std::string& args, const std::string& before = "")
{
    return run("sestara-cli", args, before);
}

// A refusal: the exit code, nothing on standard output and the message on standard error.
void expectRefused(const CliRun& r, int exitCode, const std::string& err)
{
    EXPECT_EQ(r.exitCode, exitCode) << err;
    EXPECT_EQ(r.out, "") << err;
    EXPECT_EQ(r.err, err);
}

// A system file of the type and the numbers first..last.
std::string sup(const std::string& type, int first, int last, const std::string& more = "")
{
    std::string text = "Sistema=" + type + "\r\nLista=";
    for (int n = first; n <= last; ++n)
        text += std::to_string(n) + " ";
    return text + "\r\n" + more;
}

// As many bytes from the end of the text as `like` has.
std::string tailLike(const std::string& text, const std::string& like)
{
    return text.substr(text.size() - std::min(like.size(), text.size()));
}

} // namespace

TEST(Cli, CatalogueAndUsage)
{
    const CliRun r = cli("catalogo");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 161);
    EXPECT_EQ(cli("catalogo 36").out, "36 numeri ridotto n-1\n36 numeri ridotto n-2\n36 numeri ridotto n-3\n");
    expectRefused(cli("catalogo 9"), 1, "Nessun sistema disponibile con 9 numeri (da 10 a 55)\n");
    for (const char* usage : {"", "catalogo dieci", "catalogo 10 11", "sviluppa", "garanzie", "stampa x", "--dati",
                              "verifica x", "/tmp/dieci.sup"})
        EXPECT_EQ(cli(usage).exitCode, 2) << usage;
}

// Both programs answer --help and --version on standard output and end; an unknown option is one
// line on standard error and exit code 2. The desktop program does so without a display.
TEST(Cli, HelpVersionAndUnknownOptionsOfBothPrograms)
{
    std::vector<std::string> programs{"sestara-cli"};
    if (SESTARA_WITH_GUI)
        programs.emplace_back("sestara");
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    for (const std::string& program : programs) {
        SCOPED_TRACE(program);
        for (const char* help : {"--help", "-h", "catalogo --help"}) {
            const CliRun r = run(program, help, noDisplay);
            EXPECT_EQ(r.exitCode, 0) << help;
            EXPECT_EQ(r.out.rfind("Uso:\n  " + program + " ", 0), 0u) << r.out;
            EXPECT_EQ(r.err, "") << help;
        }
        for (const char* version : {"--version", "-V"}) {
            const CliRun r = run(program, version, noDisplay);
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_EQ(r.out, program + " " + SESTARA_VERSION + "\n");
            EXPECT_EQ(r.err, "");
        }
        expectRefused(run(program, "--colore", noDisplay), 2, program + ": opzione sconosciuta \"--colore\". Usa --help\n");
        // One dash: the desktop program first lets Qt take its own options ("-platform").
        const CliRun oneDash = run(program, "-platform offscreen -q", "QT_QPA_PLATFORM=offscreen ");
        const std::string line =
            program + ": opzione sconosciuta \"" + (program == "sestara" ? "-q" : "-platform") + "\". Usa --help\n";
        EXPECT_EQ(oneDash.exitCode, 2);
        EXPECT_EQ(oneDash.out, "");
        EXPECT_EQ(tailLike(oneDash.err, line), line); // after whatever Qt says of its set-up
    }
    // The options a command takes are no unknown ones; their values are never options.
    EXPECT_EQ(cli("--dati --help catalogo 10").exitCode, 0);
    EXPECT_EQ(cli("--dati -x catalogo 10").exitCode, 0);
    EXPECT_EQ(cli("-- --colore").exitCode, 2);
}

TEST(Cli, DevelopsASystemFileByteForByte)
{
    testutil::TempDir dir;
    dir.write("dieci.sup", sup("10 numeri sistema Integrale", 5, 14));
    CliRun r = cli("sviluppa " + dir.file("dieci.sup"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 210);
    EXPECT_EQ(r.out.substr(0, 23), "1\t>   5-6-7-8-9-10\r\n2\t>");
    const std::string last = "\r\n210\t>   9-10-11-12-13-14\r\n";
    EXPECT_EQ(tailLike(r.out, last), last);

    // "--" ends the options wherever it stands: a file may then be named like one.
    dir.write("-x.sup", sup("10 numeri sistema Integrale", 5, 14));
    for (const char* args : {"sviluppa -- -x.sup", "-- sviluppa -x.sup"})
        EXPECT_EQ(cli(args, "cd " + dir.path() + " && ").out, r.out) << args;
    EXPECT_EQ(cli("sviluppa -- -x.sup --dal", "cd " + dir.path() + " && ").exitCode, 2);

    dir.write("somma.sup", sup("10 numeri sistema Integrale", 1, 10, "Presenze=1-\r\nSomma=21 - 22\r\n"));
    EXPECT_EQ(cli("sviluppa " + dir.file("somma.sup")).out, "1\t>   1-2-3-4-5-6\r\n2\t>   1-2-3-4-5-7\r\n");

    // A type not offered for the size develops the size's first entry, and standard error says so;
    // so it does of a development the conditions leave empty. The exit status stays 0.
    dir.write("tipo.sup", sup("10 numeri sistema Fantasia", 5, 14));
    r = cli("sviluppa " + dir.file("tipo.sup"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Tipo \"10 numeri sistema Fantasia\" non disponibile per 10 numeri: sviluppato \"" +
                         sestara::catalogueEntriesForSize(10).front() + "\"\n");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 210);
    dir.write("vuoto.sup", sup("10 numeri sistema Integrale", 1, 10, "Somma=1 - 5\r\n"));
    r = cli("sviluppa " + dir.file("vuoto.sup"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Le condizioni non lasciano alcuna colonna: lo sviluppo è vuoto\n");
}

TEST(Cli, RefusalsGoToStandardErrorWithExitCodeOne)
{
    testutil::TempDir dir;
    dir.write("nove.sup", sup("10 numeri sistema Integrale", 1, 9));
    dir.write("guasto.sup", sup("10 numeri sistema Integrale", 90, 99));
    expectRefused(cli("sviluppa " + dir.file("nove.sup")), 1, std::string(kMsgAlmeno10) + "\n");
    for (const char* name : {"assente.sup", "guasto.sup"})
        expectRefused(cli("sviluppa " + dir.file(name)), 1,
                      "Errore nel caricamento sistema\n" + sestara::readSystemFile(dir.file(name)).error + "\n");
}

TEST(Cli, GaranzieCountsWhatTheDevelopmentGuaranteesByteForByte)
{
    testutil::TempDir dir;
    dir.write("dodici.sup", sup("12 numeri sistema Integrale", 1, 12));
    CliRun r = cli("garanzie " + dir.file("dodici.sup"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "COLONNE 924\n"
                     "SE 6: 924 0 0 0 0 0 0\nSE 5: 792 0 0 0 0 0\nSE 4: 495 0 0 0 0\nSE 3: 220 0 0 0\nSE 2: 66 0 0\n"
                     "ALMENO 6: 924\nALMENO 5: 62700\nALMENO 4: 1549185\nALMENO 3: 18285905\nALMENO 2: 112429955\n");

    // The sum condition takes away columns a 5 se 6 needs: 68 six-sets now win only four.
    dir.write("ridotto.sup", sup("12 numeri ridotto n-1", 1, 12, "Somma=21 - 45\r\n"));
    r = cli("garanzie " + dir.file("ridotto.sup"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "COLONNE 35\n"
                     "SE 6: 35 821 68 0 0 0 0\nSE 5: 207 583 2 0 0 0\nSE 4: 406 89 0 0 0\nSE 3: 220 0 0 0\n"
                     "SE 2: 66 0 0\n"
                     "ALMENO 6: 35\nALMENO 5: 17002\nALMENO 4: 1281762\nALMENO 3: 18285905\nALMENO 2: 112429955\n");

    dir.write("immediato.sup", sup("11 numeri in 5 sestine a garanzia tre con 4 estratti", 80, 90));
    EXPECT_EQ(cli("garanzie " + dir.file("immediato.sup")).out,
              "COLONNE 5\n"
              "SE 6: 5 142 315 0 0 0 0\nSE 5: 30 296 136 0 0 0\nSE 4: 73 257 0 0 0\nSE 3: 89 76 0 0\nSE 2: 53 2 0\n"
              "ALMENO 6: 5\nALMENO 5: 2517\nALMENO 4: 251129\nALMENO 3: 8091721\nALMENO 2: 93734278\n");

    // An empty development guarantees nothing; a refused one exits 1 with the program's message.
    dir.write("vuoto.sup", sup("10 numeri sistema Integrale", 1, 10, "Somma=1 - 5\r\n"));
    r = cli("garanzie " + dir.file("vuoto.sup"));
    EXPECT_EQ(r.exitCode, 0);
    const std::string head = "COLONNE 0\nSE 6: 0 0 0 0 0 0 210\n";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    EXPECT_EQ(tailLike(r.out, "ALMENO 2: 0\n"), "ALMENO 2: 0\n");
    dir.write("nove.sup", sup("10 numeri sistema Integrale", 1, 9));
    expectRefused(cli("garanzie " + dir.file("nove.sup")), 1, std::string(kMsgAlmeno10) + "\n");
}

TEST(Cli, SpoglioCountsByClassAndListsTheWinningSlips)
{
    testutil::TempDir dir;
    dir.write("dieci.sup", sup("10 numeri sistema Integrale", 5, 14));
    CliRun r = cli("spoglio " + dir.file("dieci.sup") + " \"5 6 7 8 9 10 14\" --vincenti");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string head = "DUE 15\nTRE 80\nQUATTRO 90\nCINQUE 18\nCINQUE+1 6\nSEI 1\nINDOVINATI 7: 5 6 7 8 9 10 14\n"
                             "\tPunti 6       Schedina N° 1\n\tPunti 5       Schedina N° 1\n";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 7 + 195);
    // The last winning columns, 205 to 207 (8-9-10-12-13-14), hold three numbers and the bonus.
    const std::string last = "\tPunti 3       Schedina N° 41\n\tPunti 3       Schedina N° 42\n"
                             "\tPunti 3       Schedina N° 42\n";
    EXPECT_EQ(tailLike(r.out, last), last);
    // The plain check prints the counts only; drawn numbers outside the prediction are not caught.
    r = cli("spoglio " + dir.file("dieci.sup") + " \"55 14 3\"");
    EXPECT_EQ(r.out, "DUE 0\nTRE 0\nQUATTRO 0\nCINQUE 0\nCINQUE+1 0\nSEI 0\nINDOVINATI 1: 14\n");

    // Refusals: the development's exit 1 and message, bad drawn numbers exit 2.
    dir.write("nove.sup", sup("10 numeri sistema Integrale", 1, 9));
    expectRefused(cli("spoglio " + dir.file("nove.sup") + " \"1 2 3\""), 1, std::string(kMsgAlmeno10) + "\n");
    expectRefused(cli("spoglio " + dir.file("dieci.sup") + " \"1 2 91\" --vincenti"), 2,
                  "Numero estratto non valido: \"91\" (da 1 a 90)\n");
    for (const std::string& usage : {std::string("spoglio"), "spoglio " + dir.file("dieci.sup"),
                                    "spoglio " + dir.file("dieci.sup") + " 1 --tutte"})
        EXPECT_EQ(cli(usage).exitCode, 2) << usage;
}

TEST(Cli, StoricoChecksEveryDrawOfTheArchiveInDateOrder)
{
    testutil::TempDir dir;
    dir.write("dieci.sup", sup("10 numeri sistema Integrale", 5, 14));
    dir.write("estrazioni.txt", "Concorso;Data;Numeri;Jolly\r\n"
                                "3;09/01/2024;5;6;7;40;50;60;8\r\n"
                                "2024-01-04 55 14 3 60 70 80 1\r\n"
                                "1,02-01-2024,5,6,7,8,9,10,14,33\r\n"
                                "2024-01-11;5;6;7;8;9;10\r\n"
                                "2024-01-04 55 14 3 60 70 80 2\r\n");
    const std::string args = "storico " + dir.file("dieci.sup") + " " + dir.file("estrazioni.txt");
    CliRun r = cli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2024-01-02 DUE 15 TRE 80 QUATTRO 90 CINQUE 18 CINQUE+1 6 SEI 1\n"
                     "2024-01-04 DUE 0 TRE 0 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "2024-01-09 DUE 105 TRE 35 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "TOTALE DUE 120 TRE 115 QUATTRO 90 CINQUE 18 CINQUE+1 6 SEI 1\n"
                     "VINCENTI 2\n");
    EXPECT_EQ(r.err, "Riga 5: mancano dei numeri: servono sei numeri e il jolly (\"2024-01-11;5;6;7;8;9;10\")\n"
                     "Riga 6: estrazione del 04/01/2024 già presente con altri numeri (\";2024-01-04;55;14;3;60;70;80;2;\")\n");

    r = cli(args + " --al 2024-01-08 --dal 2024-01-03");
    EXPECT_EQ(r.out, "2024-01-04 DUE 0 TRE 0 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "TOTALE DUE 0 TRE 0 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "VINCENTI 0\n");

    expectRefused(cli(args + " --dal 2024-1-9"), 2, "Data non valida: \"2024-1-9\" (AAAA-MM-GG)\n");
    dir.write("vuoto.txt", "Data;N1\r\n\r\n");
    expectRefused(cli("storico " + dir.file("dieci.sup") + " " + dir.file("vuoto.txt")), 1,
                  "Il file non contiene alcuna estrazione\n");
    expectRefused(cli("storico " + dir.file("dieci.sup") + " " + dir.path()), 1,
                  "Impossibile leggere il file " + dir.path() + ": è una cartella, non un file\n");
    for (const std::string& usage : {std::string("storico"), "storico " + dir.file("dieci.sup"), args + " --al",
                                     args + " altro"})
        EXPECT_EQ(cli(usage).exitCode, 2) << usage;
}

TEST(Cli, SpoglioAndStoricoCountTheStellaClassesOfASuperStarSystem)
{
    testutil::TempDir dir;
    dir.write("stella.sup", sup("10 numeri sistema Integrale", 5, 14, "SuperStar=33\r\n"));
    dir.write("dieci.sup", sup("10 numeri sistema Integrale", 5, 14));
    const std::string counts = "DUE 15\nTRE 80\nQUATTRO 90\nCINQUE 18\nCINQUE+1 6\nSEI 1\n";
    const std::string caught = "INDOVINATI 7: 5 6 7 8 9 10 14\n";
    const std::string spoglio = "spoglio " + dir.file("stella.sup") + " \"5 6 7 8 9 10 14\"";
    EXPECT_EQ(cli(spoglio + " --superstar 33").out,
              counts + "STELLA 0 0\nSTELLA 1 0\nSTELLA 2 15\nSTELLA 3 80\nSTELLA 4 90\nSTELLA 5 18\nSTELLA 5+1 6\n"
                       "STELLA 6 1\n" + caught);
    const std::string none = counts + "STELLA 0 0\nSTELLA 1 0\nSTELLA 2 0\nSTELLA 3 0\nSTELLA 4 0\nSTELLA 5 0\n"
                                      "STELLA 5+1 0\nSTELLA 6 0\n" + caught + "\tPunti 6 ";
    EXPECT_EQ(cli(spoglio + " --vincenti --superstar 34").out.substr(0, none.size()), none);
    // Without the record, or without the drawn SuperStar, the output is that of before.
    EXPECT_EQ(cli("spoglio " + dir.file("dieci.sup") + " \"5 6 7 8 9 10 14\" --superstar 33").out, counts + caught);
    EXPECT_EQ(cli(spoglio).out, counts + caught);
    expectRefused(cli(spoglio + " --superstar 91"), 2, "SuperStar estratto non valido: \"91\" (da 1 a 90)\n");

    dir.write("estrazioni.txt", "1,02-01-2024,5,6,7,8,9,10,14,33\r\n"
                                "2024-01-04 55 14 3 60 70 80 1 5\r\n"
                                "2024-01-06 40 41 42 43 44 45 1 33\r\n"
                                "2024-01-09 5 6 7 40 50 60 8\r\n");
    const CliRun r = cli("storico " + dir.file("stella.sup") + " " + dir.file("estrazioni.txt"));
    EXPECT_EQ(r.out, "2024-01-02 DUE 15 TRE 80 QUATTRO 90 CINQUE 18 CINQUE+1 6 SEI 1 STELLA 0 0 15 80 90 18 6 1\n"
                     "2024-01-04 DUE 0 TRE 0 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "2024-01-06 DUE 0 TRE 0 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0 STELLA 210 0 0 0 0 0 0 0\n"
                     "2024-01-09 DUE 105 TRE 35 QUATTRO 0 CINQUE 0 CINQUE+1 0 SEI 0\n"
                     "TOTALE DUE 120 TRE 115 QUATTRO 90 CINQUE 18 CINQUE+1 6 SEI 1\n"
                     "STELLA 210 0 15 80 90 18 6 1\n"
                     "VINCENTI 3\n");
    EXPECT_EQ(r.err, "1 estrazione del periodo senza superstar: per essa non si contano le vincite stella\n");
}

TEST(Cli, StatisticheGivesFrequencyJollyAndDelaysOfEveryNumber)
{
    testutil::TempDir dir;
    dir.write("estrazioni.txt", "2024-01-02;1;2;3;4;5;6;7\n"
                                "2024-01-04;1;20;30;40;50;60;2\n"
                                "2024-01-06;11;12;13;14;15;16;1\n");
    const CliRun r = cli("statistiche " + dir.file("estrazioni.txt"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 90);
    EXPECT_EQ(r.out.substr(0, r.out.find("8 FREQ")), "1 FREQ 2 JOLLY 1 RITARDO 1 MAX 1\n"
                                                     "2 FREQ 1 JOLLY 1 RITARDO 2 MAX 2\n"
                                                     "3 FREQ 1 JOLLY 0 RITARDO 2 MAX 2\n"
                                                     "4 FREQ 1 JOLLY 0 RITARDO 2 MAX 2\n"
                                                     "5 FREQ 1 JOLLY 0 RITARDO 2 MAX 2\n"
                                                     "6 FREQ 1 JOLLY 0 RITARDO 2 MAX 2\n"
                                                     "7 FREQ 0 JOLLY 1 RITARDO 3 MAX 3\n");
    EXPECT_EQ(tailLike(r.out, "90 FREQ 0 JOLLY 0 RITARDO 3 MAX 3\n"), "90 FREQ 0 JOLLY 0 RITARDO 3 MAX 3\n");
    EXPECT_EQ(cli("statistiche " + dir.file("estrazioni.txt") + " --dal 2024-01-03 --al 2024-01-05").out.substr(0, 66),
              "1 FREQ 1 JOLLY 0 RITARDO 0 MAX 0\n2 FREQ 0 JOLLY 1 RITARDO 1 MAX 1\n");
    EXPECT_EQ(cli("statistiche").exitCode, 2);

    // Junk lines: the first hundred listed, the rest counted.
    std::string noise = "2024-01-02;1;2;3;4;5;6;7\n";
    for (int k = 0; k < 102; ++k)
        noise += "1\n";
    dir.write("rumore.txt", noise);
    const std::string err = cli("statistiche " + dir.file("rumore.txt")).err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 101);
    EXPECT_EQ(tailLike(err, "Riga 101: data mancante (\"1\")\n102 righe scartate: le prime 100 sono qui sopra\n"),
              "Riga 101: data mancante (\"1\")\n102 righe scartate: le prime 100 sono qui sopra\n");

    // A period is checked before anything is counted: one that ends before it starts is a usage
    // error, one without a draw is said instead of printing figures of nothing.
    const struct {
        const char* period;
        int exitCode;
        const char* err;
    } periods[] = {
        {"--dal 2024-01-05 --al 2024-01-03", 2, "Periodo non valido: --dal 2024-01-05 viene dopo --al 2024-01-03\n"},
        {"--al 2024-01-03 --dal 2024-01-05", 2, "Periodo non valido: --dal 2024-01-05 viene dopo --al 2024-01-03\n"},
        {"--dal 2024-01-07", 1, "Nessuna estrazione nel periodo dal 2024-01-07\n"},
        {"--al 2024-01-01", 1, "Nessuna estrazione nel periodo fino al 2024-01-01\n"},
        {"--dal 2024-01-05 --al 2024-01-05", 1, "Nessuna estrazione nel periodo dal 2024-01-05 al 2024-01-05\n"},
    };
    for (const auto& p : periods)
        for (const std::string& command : {std::string("statistiche "), "storico " + dir.file("x.sup") + " "})
            expectRefused(cli(command + dir.file("estrazioni.txt") + " " + p.period), p.exitCode, p.err);
}

TEST(Cli, DataFolderGivenWithDati)
{
    testutil::TempDir dir;
    dir.write("ridotto.sup", sup("10 numeri ridotto n-1", 11, 20));
    const std::string sviluppa = "--dati " + dir.path() + " sviluppa " + dir.file("ridotto.sup");
    CliRun r = cli(sviluppa);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("(" + dir.file("Riduttore") + ")"), std::string::npos) << r.err;

    dir.write("Riduttore", testutil::record(110, 101, 0, 0, 0, 1) + testutil::record(10, 1, 2, 3, 4, 5));
    EXPECT_EQ(cli(sviluppa).out, "1\t>   20-11-12-13-14-15\r\n");
    r = cli("--dati " + dir.path() + " verifica");
    EXPECT_EQ(r.exitCode, 1) << "no \"Immediati\", one system in \"Riduttore\" that fails";
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1),
              "10 numeri in 20 sestine a garanzia quattro con 4 estratti\t0 colonne\tgaranzia 4 se 4\tNON verificato: "
              "Impossibile leggere il file \"Immediati\" (" + dir.file("Immediati") + ").\n");
    EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "135 sistemi NON verificati\n");

    // A table cut short is refused, not developed into fewer columns than it promises.
    dir.write("Riduttore", testutil::record(110, 101, 0, 0, 0, 2) + testutil::record(10, 1, 2, 3, 4, 5));
    expectRefused(cli(sviluppa), 1,
                  "Il file \"Riduttore\" è danneggiato: il sistema \"10 numeri ridotto n-1\" ha 1 colonna "
                  "invece di 2.\n");
}

// The advice at the settings file's column price, in the order and with the figures of the core.
TEST(Cli, ConsigliaListsTheSystemsThatFitTheBudget)
{
    testutil::TempDir dir;
    for (const char* name : {"Riduttore", "Immediati"})
        dir.write(name, testutil::readFile(std::string(SESTARA_PROGRAM_DIR) + "/" + name));
    dir.write("Corvano.ini", "Costocolonna=100\r\n");
    const std::string numbers = "\"5 9 14 21 26 33 38 41 47 52 58 63 69 74 80 88\"";
    const CliRun r = cli("--dati " + dir.path() + " consiglia " + numbers + " --budget 16,00 --punti 4");
    sestara::AdviceRequest request;
    request.numbers = 16;
    request.budgetCents = 1600;
    request.columnCents = 100;
    request.goal = 4;
    request.dataDir = dir.path();
    const std::atomic<bool> never{false};
    std::string expected;
    for (const sestara::AdviceCandidate& c : sestara::advise(request, never).candidates)
        expected += sestara::adviceLine(c);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(r.out.find("16 numeri in 16 sestine a garanzia tre con 4 estratti\t16\t1600\t"), std::string::npos);
    // "--" ends the options here too: what follows is the prediction.
    EXPECT_EQ(cli("--dati " + dir.path() + " consiglia --punti 4 --budget 16 -- " + numbers).out, expected);

    const std::string dati = "--dati " + dir.path() + " consiglia " + numbers;
    expectRefused(cli(dati + " --budget 0,99"), 1,
                  "Nessun sistema rientra nel budget di 0,99 € (una colonna costa 1,00 €).\n");
    expectRefused(cli(dati + " --budget 1,999"), 2, std::string(sestara::kMsgBudgetNonValido) + "\n");
    expectRefused(cli(dati + " --budget 10 --punti 6"), 2, "Punti non validi: \"6\" (da 2 a 5)\n");
    EXPECT_EQ(cli(dati).exitCode, 2) << "no budget";
}

// The address sanitizer's allocator ends the program itself when memory runs out, before any
// exception exists, so only a build without it can show what the program does then.
#if defined(__SANITIZE_ADDRESS__)
#define SESTARA_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SESTARA_TEST_ASAN 1
#endif
#endif
#if !defined(SESTARA_TEST_ASAN)
TEST(Cli, RunningOutOfMemoryEndsWithAMessage)
{
    // The 35 numbers of an integral system take over 1.6 million columns, about 10 MB: more than
    // the program gets here.
    testutil::TempDir dir;
    dir.write("grande.sup", sup("35 numeri sistema Integrale", 1, 35));
    expectRefused(cli("sviluppa " + dir.file("grande.sup"), "ulimit -v 10240; "), 1,
                  "Memoria insufficiente: l'operazione richiede più memoria di quella disponibile.\n");
}
#endif

TEST(Generator, AssemblesTheShippedDataFiles)
{
    testutil::TempDir dir;
    const std::string designs = std::string(SESTARA_SOURCE_DIR) + "/tools/designs";
    const CliRun r = run("sestara-genera", "assembla --cartella " + designs + " --uscita " + dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Scritti " + dir.file("Riduttore") + " (469503 record) e " + dir.file("Immediati") + "\n");
    for (const char* name : {"Riduttore", "Immediati"})
        EXPECT_TRUE(testutil::readFile(dir.file(name)) ==
                    testutil::readFile(std::string(SESTARA_SOURCE_DIR) + "/data/" + name))
            << name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no file left behind";
}

TEST(Generator, AFailedWriteLeavesTheOldFilesAndSaysWhy)
{
    testutil::TempDir dir;
    const std::string assemble = "assembla --cartella " + std::string(SESTARA_SOURCE_DIR) + "/tools/designs --uscita ";
    dir.write("file", "");
    expectRefused(run("sestara-genera", assemble + dir.file("file")), 1,
                  "Impossibile scrivere il file " + dir.file("file") +
                      "/Riduttore.tmp: una parte del percorso non è una cartella.\n");
    expectRefused(run("sestara-genera", "orbite --cartella " + dir.file("file") + " tre3-10"), 1,
                  "Impossibile scrivere il disegno tre3-10\n");

    // "Riduttore" is written in full beside the old one, "Immediati" cannot be: neither is replaced.
    dir.write("Riduttore", "vecchio");
    dir.write("Immediati", "vecchio");
    std::filesystem::create_directory(dir.file("Immediati.tmp"));
    expectRefused(run("sestara-genera", assemble + dir.path()), 1,
                  "Impossibile scrivere il file " + dir.file("Immediati.tmp") + ": al suo posto c'è una cartella.\n");
    EXPECT_EQ(testutil::readFile(dir.file("Riduttore")), "vecchio");
    EXPECT_EQ(testutil::readFile(dir.file("Immediati")), "vecchio");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Riduttore.tmp")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Immediati.tmp")));
}

// Systems made to measure: the exact form scripts read, a bad command line, a refused guarantee,
// and a saved design developed from its file alone.
TEST(Cli, SuMisura)
{
    const CliRun r = cli("sumisura 10 3 3 --livello rapido");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::size_t lines = static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n'));
    ASSERT_GE(lines, 3u);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "COLONNE " + std::to_string(lines - 2) + "\n");
    EXPECT_NE(r.out.find("\nCOPERTI 120 SU 120\n"), std::string::npos);
    const CliRun limited = cli("sumisura 12 4 5 --colonne 3 --livello rapido");
    ASSERT_EQ(limited.exitCode, 0) << limited.err;
    EXPECT_EQ(limited.out.substr(0, 10), "COLONNE 3\n");
    EXPECT_EQ(std::count(limited.out.begin(), limited.out.end(), '\n'), 5);
    EXPECT_EQ(limited.out.find('\r'), std::string::npos);
    EXPECT_EQ(cli("sumisura --livello rapido -- 10 3 3").out, r.out);

    EXPECT_EQ(cli("sumisura 10 3").exitCode, 2);
    EXPECT_EQ(cli("sumisura 10 3 3 --livello lento").exitCode, 2);
    expectRefused(cli("sumisura 45 5 6"), 1,
                  "Per la garanzia 5 se 6 su 45 numeri servono almeno 34.660 colonne, più delle 27.132 di una "
                  "giocata: scegli una garanzia più bassa o meno numeri.\n");

    testutil::TempDir dir;
    const std::string file = dir.file("sumisura.sup");
    dir.write("sumisura.sup", sup("10 numeri su misura garanzia 3 se 3", 81, 90,
                                  "Colonna=1 2 3 4 5 6\r\nColonna=5 6 7 8 9 10\r\n"));
    const CliRun developed = cli("sviluppa " + file);
    EXPECT_EQ(developed.err, "");
    EXPECT_EQ(developed.out, "1\t>   81-82-83-84-85-86\r\n2\t>   85-86-87-88-89-90\r\n");
    EXPECT_EQ(cli("garanzie " + file).out.substr(0, 10), "COLONNE 2\n");
}
