#include "core/settings/settingsfile.h"

#include "tests/common/filesizelimit.h"
#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <tuple>

using sestara::readSettingsText;
using sestara::rewriteSettingsText;
using sestara::Settings;

TEST(SettingsFile, ALineBelongsToAKeyByItsLeadingCharacters)
{
    const sestara::SettingsReading r = readSettingsText("[Sestara]\nCostocolonna:75\nSuperPunto 12\r\n"
                                                        " SuperPunto=20\r\nSpoglioab\r\nRitardatari=-7\r\n"
                                                        "Margine2sup=11\r\nMargine2sup=0\r\nmargine2sin=99\r\n"
                                                        "Marginesup=5");
    EXPECT_TRUE(r.ok()) << r.problem;
    EXPECT_EQ(r.settings.costoColonna, 75);
    EXPECT_EQ(r.settings.superPunto, 12);
    EXPECT_EQ(r.settings.spoglio, "b");
    EXPECT_EQ(r.settings.ritardatari, -7);
    EXPECT_EQ(r.settings.margine2sup, 0);
    // Letter case counts: the lower-case line is someone else's, and the key stays 0.
    EXPECT_EQ(r.settings.margine2sin, 0);

    // A price with decimals is kept; the others round halves to even; blanks around are allowed.
    const sestara::SettingsReading d =
        readSettingsText("Costocolonna=12,5\nSuperPunto=16.5\nMargine2sin= 2.5 \nRitardatari=3.5\n");
    EXPECT_TRUE(d.ok()) << d.problem;
    EXPECT_EQ(d.settings.costoColonna, 12.5);
    EXPECT_EQ(d.settings.superPunto, 16);
    EXPECT_EQ(d.settings.margine2sin, 2);
    EXPECT_EQ(d.settings.ritardatari, 4);
    EXPECT_EQ(sestara::roundHalfEven(-0.5), 0);
    EXPECT_EQ(sestara::roundHalfEven(-1.5), -2);
    EXPECT_EQ(sestara::roundHalfEven(0.51), 1);
}

TEST(SettingsFile, ABadValueIsReportedAndTakesItsDefault)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Costocolonna=50\nSuperPunto=25\nMargine2sup=abc\n",
         "riga 2, \"SuperPunto\": il valore 25 è fuori dall'intervallo da 10 a 24"},
        {"Costocolonna=50\nSuperPunto=16\nMargine2sup=abc\n",
         "riga 3, \"Margine2sup\": il valore \"abc\" non è un numero"},
        {"Costocolonna=50\nSuperPunto=\n", "riga 2, \"SuperPunto\": il valore \"\" non è un numero"},
        {"SuperPunto=16\nCostocolonna=0.4\n",
         "riga 2, \"Costocolonna\": il valore 0.4 è fuori dall'intervallo da 1 a 1000"},
        {"Costocolonna=50\nMargine2sin=1001\nSuperPunto=9.5\n",
         "riga 2, \"Margine2sin\": il valore 1001 è fuori dall'intervallo da 0 a 1000"},
        {"Costocolonna=50\nSuperPunto=16\nRitardatari=32768\n",
         "riga 3, \"Ritardatari\": il valore 32768 è fuori dall'intervallo da -32768 a 32767"},
        {"SuperPunto=16\nMargine2sup=1 0\n", "riga 2, \"Margine2sup\": il valore \"1 0\" non è un numero"},
        // Missing keys come after every line; a missing margin is a valid 0.
        {"Margine2sup=-1\n", "riga 1, \"Margine2sup\": il valore -1 è fuori dall'intervallo da 0 a 1000"},
        {"", "il file non contiene alcuna impostazione"},
        {"Costocolonna=1\n", "\"SuperPunto\" manca: il valore 0 è fuori dall'intervallo da 10 a 24"},
    };
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(readSettingsText(text).problem, problem) << text;

    // A UTF-8 byte-order mark hides no key, and a save leaves it out.
    const std::string marked = "\xEF\xBB\xBF" "Costocolonna=50\r\nSuperPunto=16\r\n";
    const sestara::SettingsReading withMark = sestara::readSettingsText(marked);
    EXPECT_EQ(withMark.problem, "");
    EXPECT_EQ(withMark.settings.costoColonna, 50);
    EXPECT_EQ(rewriteSettingsText(marked, withMark.settings), "Costocolonna=50\r\nSuperPunto=16\r\n");

    const Settings s = readSettingsText("Costocolonna=x\nSuperPunto=25\nMargine2sup=-1\nMargine2sin=7\n"
                                        "Ritardatari=1e3\nSpoglio=z\n")
                           .settings;
    EXPECT_EQ(s.costoColonna, 100);
    EXPECT_EQ(s.superPunto, 16);
    EXPECT_EQ(s.margine2sup, 30);
    EXPECT_EQ(s.margine2sin, 7);
    EXPECT_EQ(s.ritardatari, 0);
    EXPECT_EQ(s.spoglio, "z");
}

TEST(SettingsFile, ASaveRewritesOnlyTheLinesOfTheKeys)
{
    const std::string before = "Ritenuta=8\r\nCostocolonna:75\r\n\r\nSuperPunto 12\r\nLink=http://example.org/a=b\r\n"
                               "Margine2sup=300\r\nMargine2sin=350\r\n\r\nSpoglio=C:\\dati\r\nRitardatari=-7\r\n"
                               " SuperPunto=20\r\nMarginesup=5\r\n";
    Settings s = readSettingsText(before).settings;
    s.costoColonna = 50;
    s.superPunto = 16;
    s.margine2sup = 30;
    s.margine2sin = 35;
    EXPECT_EQ(rewriteSettingsText(before, s),
              "Ritenuta=8\r\nCostocolonna:50\r\n\r\nSuperPunto 16\r\nLink=http://example.org/a=b\r\n"
              "Margine2sup=30\r\nMargine2sin=35\r\n\r\nSpoglio=C:\\dati\r\nRitardatari=-7\r\n"
              " SuperPunto=20\r\nMarginesup=5\r\n");
    // LF lines come back with CR LF; every line of a repeated key takes the value; a key with no
    // line gets none; a price with decimals keeps them.
    s.costoColonna = 12.5;
    EXPECT_EQ(rewriteSettingsText("x\nSuperPunto=1\nSuperPunto=2\nCostocolonna=1", s),
              "x\r\nSuperPunto=16\r\nSuperPunto=16\r\nCostocolonna=12.5\r\n");
    EXPECT_EQ(rewriteSettingsText("", s), "");
}

namespace {

std::set<std::string> filesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(SettingsFile, ASaveReplacesTheFileInOneStep)
{
    const testutil::TempDir dir;
    const std::string ini = dir.file("Corvano.ini");
    const std::string old = "Costocolonna=50\r\nEstrazioneIniziale=1\r\nSuperPunto=16\r\nMargine2sup=30\r\n";
    dir.write("Corvano.ini", old);
    // A file left over by an older program's save never reaches the new file.
    dir.write("Corvano2.ini", "Costocolonna=999\r\nSfondo=1\r\n");
    ASSERT_EQ(chmod(ini.c_str(), 0640), 0);

    sestara::SettingsReading r = sestara::loadSettingsFile(ini);
    ASSERT_TRUE(r.ok()) << r.problem;
    r.settings.costoColonna = 100;
    r.settings.superPunto = 24;
    r.settings.margine2sup = 1000;
    {
        // The new text is longer than the old one: the write fails part way.
        const FileSizeLimit limit(old.size() + 2);
        EXPECT_EQ(sestara::saveSettingsFile(ini, r.settings),
                  "impossibile salvare il file \"" + ini + "\": errore di scrittura (file troppo grande)");
    }
    EXPECT_EQ(testutil::readFile(ini), old);
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"Corvano.ini", "Corvano2.ini"}));

    EXPECT_EQ(sestara::saveSettingsFile(ini, r.settings), "");
    EXPECT_EQ(testutil::readFile(ini),
              "Costocolonna=100\r\nEstrazioneIniziale=1\r\nSuperPunto=24\r\nMargine2sup=1000\r\n");
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"Corvano.ini", "Corvano2.ini"}));
    // Two byte-order marks: the second belongs to the first line, which holds no key, and it keeps
    // holding none after the save, however often the file is read and saved.
    const std::string mark = "\xEF\xBB\xBF";
    dir.write("Doppio.ini", mark + mark + "Costocolonna=75\r\nSuperPunto=16\r\n");
    const sestara::SettingsReading twice = sestara::loadSettingsFile(dir.file("Doppio.ini"));
    for (int save = 0; save < 2; ++save) {
        EXPECT_EQ(sestara::saveSettingsFile(dir.file("Doppio.ini"), twice.settings), "");
        EXPECT_EQ(testutil::readFile(dir.file("Doppio.ini")), mark + mark + "Costocolonna=75\r\nSuperPunto=16\r\n" +
                                                                  "Costocolonna=100\r\nSpoglio=\r\nRitardatari=0\r\n"
                                                                  "Margine2sup=0\r\nMargine2sin=0\r\n");
        const Settings back = sestara::loadSettingsFile(dir.file("Doppio.ini")).settings;
        EXPECT_EQ(std::tie(back.costoColonna, back.superPunto, back.margine2sup, back.spoglio),
                  std::tie(twice.settings.costoColonna, twice.settings.superPunto, twice.settings.margine2sup,
                           twice.settings.spoglio));
    }
    struct stat st {};
    ASSERT_EQ(stat(ini.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // The file is never created: a missing one is reported, on reading and on saving alike.
    const std::string gone = dir.file("nessuno.ini");
    EXPECT_EQ(sestara::saveSettingsFile(gone, r.settings),
              "impossibile leggere il file \"" + gone + "\": il file non esiste");
    const sestara::SettingsReading missing = sestara::loadSettingsFile(gone);
    EXPECT_EQ(missing.problem, "impossibile leggere il file \"" + gone + "\": il file non esiste");
    EXPECT_EQ(missing.settings.costoColonna, 100);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST(SettingsFile, TheSuperStarPriceIsOptionalAndItsLineAddedOnlyWhenChanged)
{
    // A file of the older format keeps its price, SuperStar costs 50 cents, a save changes nothing.
    const std::string older = "Costocolonna=50\r\nSuperPunto=16\r\nMargine2sup=30\r\nMargine2sin=35\r\n";
    sestara::SettingsReading r = readSettingsText(older);
    EXPECT_EQ(r.problem, "");
    EXPECT_EQ(r.settings.costoColonna, 50);
    EXPECT_EQ(r.settings.costoSuperStar, 50);
    EXPECT_EQ(rewriteSettingsText(older, r.settings), older);
    r.settings.costoSuperStar = 75;
    EXPECT_EQ(rewriteSettingsText(older, r.settings), older + "Costosuperstar=75\r\n");
    // Once there, the line keeps its place and takes every value; a bare key gets its separator.
    r.settings.costoSuperStar = 50;
    EXPECT_EQ(rewriteSettingsText("Costosuperstar\nx\n", r.settings), "Costosuperstar=50\r\nx\r\n");
    const sestara::SettingsReading bad = readSettingsText("Costocolonna=100\nSuperPunto=16\nCostosuperstar=1001\n");
    EXPECT_EQ(bad.problem, "riga 3, \"Costosuperstar\": il valore 1001 è fuori dall'intervallo da 1 a 1000");
    EXPECT_EQ(bad.settings.costoSuperStar, 50);
    EXPECT_EQ(sestara::loadSettingsFile(SESTARA_SOURCE_DIR "/data/Corvano.ini").settings.costoColonna, 100);

    // Repairing a damaged file adds the keys it lacks, not the SuperStar price at its default.
    const testutil::TempDir dir;
    dir.write("Corvano.ini", "Costocolonna=50\r\n");
    EXPECT_EQ(sestara::saveSettingsFile(dir.file("Corvano.ini"), Settings()), "");
    EXPECT_EQ(testutil::readFile(dir.file("Corvano.ini")).find("Costosuperstar"), std::string::npos);
}
