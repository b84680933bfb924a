// Runs the command-line program as a user would and checks its bytes and exit codes.
#include "development/run.h"
#include "systemfiles/systemfile.h"

#include "testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <sys/wait.h>

using sestara::kMsgAlmeno10;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

CliRun cli(const std::string& args)
{
    static const testutil::TempDir io;
    const std::string cmd = std::string(SESTARA_PROGRAM_DIR) + "/sestara-cli " + args + " >" + io.file("out") +
                            " 2>" + io.file("err") + " </dev/null";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testutil::readFile(io.file("out")),
            testutil::readFile(io.file("err"))};
}

// A system file of the type and the numbers first..last.
std::string sup(const std::string& type, int first, int last, const std::string& more = "")
{
    std::string text = "Sistema=" + type + "\r\nLista=";
    for (int n = first; n <= last; ++n)
        text += std::to_string(n) + " ";
    return text + "\r\n" + more;
}

} // namespace

TEST(Cli, CatalogueAndUsage)
{
    CliRun r = cli("catalogo");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 161);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "10 numeri sistema Integrale");
    EXPECT_EQ(cli("catalogo 36").out, "36 numeri ridotto n-1\n36 numeri ridotto n-2\n36 numeri ridotto n-3\n");
    r = cli("catalogo 9");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Nessun sistema disponibile con 9 numeri (da 10 a 55)\n");
    for (const char* usage : {"", "catalogo dieci", "catalogo 10 11", "sviluppa", "stampa x", "--dati", "verifica x",
                              "/tmp/dieci.sup"})
        EXPECT_EQ(cli(usage).exitCode, 2) << usage;
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
    EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);

    dir.write("somma.sup", sup("10 numeri sistema Integrale", 1, 10, "Presenze=1-\r\nSomma=21 - 22\r\n"));
    r = cli("sviluppa " + dir.file("somma.sup"));
    EXPECT_EQ(r.out, "1\t>   1-2-3-4-5-6\r\n2\t>   1-2-3-4-5-7\r\n");
}

TEST(Cli, RefusalsGoToStandardErrorWithExitCodeOne)
{
    testutil::TempDir dir;
    dir.write("nove.sup", sup("10 numeri sistema Integrale", 1, 9));
    dir.write("guasto.sup", sup("10 numeri sistema Integrale", 90, 99));
    const std::string failedLoad = "Errore nel caricamento sistema\n";
    const std::pair<std::string, std::string> cases[] = {
        {"sviluppa " + dir.file("nove.sup"), std::string(kMsgAlmeno10) + "\n"},
        {"sviluppa " + dir.file("assente.sup"),
         failedLoad + sestara::readSystemFile(dir.file("assente.sup")).error + "\n"},
        {"sviluppa " + dir.file("guasto.sup"),
         failedLoad + sestara::readSystemFile(dir.file("guasto.sup")).error + "\n"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(r.err, err) << args;
    }
}

TEST(Cli, DataFolderGivenWithDati)
{
    testutil::TempDir dir;
    dir.write("ridotto.sup", sup("10 numeri ridotto n-1", 11, 20));
    CliRun r = cli("--dati " + dir.path() + " sviluppa " + dir.file("ridotto.sup"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("(" + dir.file("Riduttore") + ")"), std::string::npos) << r.err;

    dir.write("Riduttore", testutil::record(110, 101, 0, 0, 0, 1) + testutil::record(10, 1, 2, 3, 4, 5));
    r = cli("--dati " + dir.path() + " sviluppa " + dir.file("ridotto.sup"));
    EXPECT_EQ(r.out, "1\t>   20-11-12-13-14-15\r\n");
    r = cli("--dati " + dir.path() + " verifica");
    EXPECT_EQ(r.exitCode, 1) << "no \"Immediati\", one system in \"Riduttore\" that fails";
    EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "135 sistemi NON verificati\n");
}
