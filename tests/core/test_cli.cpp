// Runs the command-line program as a user would and checks its bytes and exit codes.
#include "testutil.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

CliRun cli(const std::string& args)
{
    static testutil::TempDir io;
    const std::string cmd = std::string(SESTARA_PROGRAM_DIR) + "/sestara-cli " + args + " >" + io.file("out") +
                            " 2>" + io.file("err") + " </dev/null";
    const int status = std::system(cmd.c_str());
    CliRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = testutil::readFile(io.file("out"));
    r.err = testutil::readFile(io.file("err"));
    return r;
}

std::string lines(int first, int last)
{
    std::string s;
    for (int n = first; n <= last; ++n)
        s += std::to_string(n) + " ";
    return s;
}

std::size_t countLines(const std::string& s)
{
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

} // namespace

TEST(Cli, Catalogue)
{
    CliRun r = cli("catalogo");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(countLines(r.out), 161u);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "10 numeri sistema Integrale");
    r = cli("catalogo 36");
    EXPECT_EQ(r.out, "36 numeri ridotto n-1\n36 numeri ridotto n-2\n36 numeri ridotto n-3\n");
    r = cli("catalogo 9");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Nessun sistema disponibile con 9 numeri (da 10 a 55)\n");
    EXPECT_EQ(cli("catalogo dieci").exitCode, 2);
    EXPECT_EQ(cli("catalogo 10 11").exitCode, 2);
    EXPECT_EQ(cli("").exitCode, 2);
    EXPECT_EQ(cli("sviluppa").exitCode, 2);
    EXPECT_EQ(cli("stampa x").exitCode, 2);
    EXPECT_EQ(cli("--dati").exitCode, 2);
}

TEST(Cli, DevelopsASystemFileByteForByte)
{
    testutil::TempDir dir;
    dir.write("dieci.sup", "Sistema=10 numeri sistema Integrale\r\nLista=" + lines(5, 14) + "\r\n");
    const CliRun r = cli(dir.file("dieci.sup"));
    EXPECT_EQ(r.exitCode, 2) << "a file alone is not a command";
    const CliRun d = cli("sviluppa " + dir.file("dieci.sup"));
    ASSERT_EQ(d.exitCode, 0) << d.err;
    EXPECT_EQ(d.err, "");
    EXPECT_EQ(countLines(d.out), 210u);
    EXPECT_EQ(d.out.substr(0, 23), "1\t>   5-6-7-8-9-10\r\n2\t>");
    const std::string last = "\r\n210\t>   9-10-11-12-13-14\r\n";
    EXPECT_EQ(d.out.substr(d.out.size() - last.size()), last);
}

TEST(Cli, RefusalsUseTheProgramsMessages)
{
    testutil::TempDir dir;
    dir.write("nove.sup", "Sistema=10 numeri sistema Integrale\r\nLista=" + lines(1, 9) + "\r\n");
    CliRun r = cli("sviluppa " + dir.file("nove.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Inserire almeno 10 elementi nel pronostico\n");

    dir.write("dodici.sup", "Sistema=20 numeri sistema Integrale\r\nLista=" + lines(1, 12) + "\r\n");
    r = cli("sviluppa " + dir.file("dodici.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "La quantità d'elementi inseriti non è conforme\n");

    dir.write("doppio.sup", "Sistema=11 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 10 10 \r\n");
    r = cli("sviluppa " + dir.file("doppio.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "I dati non sono conformi !\nverificare elementi inseriti\n");

    r = cli("sviluppa " + dir.file("assente.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Errore nel caricamento sistema\nimpossibile leggere il file " + dir.file("assente.sup") + "\n");

    dir.write("guasto.sup", "Sistema=10 numeri sistema Integrale\r\nLista=1 2 3 4 5 6 7 8 9 99 \r\n");
    r = cli("sviluppa " + dir.file("guasto.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Errore nel caricamento sistema\nRiga 2: il numero \"99\" della lista non è da 1 a 90\n");
}

TEST(Cli, ConditionsAndDataFolder)
{
    testutil::TempDir dir;
    dir.write("somma.sup", "Sistema=10 numeri sistema Integrale\r\nLista=" + lines(1, 10) +
                               "\r\nPresenze=1-\r\nSomma=21 - 22\r\n");
    CliRun r = cli("sviluppa " + dir.file("somma.sup"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\t>   1-2-3-4-5-6\r\n2\t>   1-2-3-4-5-7\r\n");

    // The reduced developer reads the table from the folder given with --dati.
    const std::string table = testutil::record(110, 101, 0, 0, 0, 1) + testutil::record(10, 1, 2, 3, 4, 5);
    dir.write("Riduttore", table);
    dir.write("ridotto.sup", "Sistema=10 numeri ridotto n-1\r\nLista=" + lines(11, 20) + "\r\n");
    r = cli("--dati " + dir.path() + " sviluppa " + dir.file("ridotto.sup"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\t>   20-11-12-13-14-15\r\n");

    dir.write("ridotto2.sup", "Sistema=10 numeri ridotto n-2\r\nLista=" + lines(11, 20) + "\r\n");
    r = cli("--dati " + dir.path() + " sviluppa " + dir.file("ridotto2.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Il file \"Riduttore\" non contiene il sistema \"10 numeri ridotto n-2\".\n");

    r = cli("--dati " + dir.file("vuota") + " sviluppa " + dir.file("ridotto.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Impossibile leggere il file \"Riduttore\" (" + dir.file("vuota") + "/Riduttore).\n");
}
