#include "core/util/files.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

TEST(Files, OnlyWholeRegularFilesWithinTheLimit)
{
    const testutil::TempDir dir;
    dir.write("ok", "abc\r\n");
    const sestara::FileContents ok = sestara::readRegularFile(dir.file("ok"), 5);
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(ok.bytes, "abc\r\n");
    EXPECT_EQ(sestara::readRegularFile(dir.file("ok"), 4).error, "il file è troppo grande (5 byte, al massimo 4)");
    EXPECT_EQ(sestara::readRegularFile(dir.file("nessuno"), 5).error, "il file non esiste");
    EXPECT_EQ(sestara::readRegularFile(dir.path(), 5).error, "è una cartella, non un file");
    // A pipe would block a reader for ever; a device never ends.
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(sestara::readRegularFile(dir.file("pipe"), 5).error, "non è un file ordinario");
    EXPECT_EQ(sestara::readRegularFile("/dev/zero", 1 << 20).error, "non è un file ordinario");
    dir.write("vuoto", "");
    EXPECT_TRUE(sestara::readRegularFile(dir.file("vuoto"), 0).ok());
}

// What a save replaces: the file a link names (the link stays), never a protected file, a folder
// or a device; each refusal leaves everything as it was.
TEST(Files, ASaveReplacesTheFileANameStandsForOrSaysWhyNot)
{
    const testutil::TempDir dir;
    dir.write("vero", "vecchio");
    ASSERT_EQ(symlink("vero", dir.file("link").c_str()), 0);
    ASSERT_EQ(symlink(dir.file("link").c_str(), dir.file("link2").c_str()), 0);
    ASSERT_EQ(symlink("nuovo", dir.file("pendente").c_str()), 0);
    ASSERT_EQ(symlink("giro", dir.file("giro").c_str()), 0);
    dir.write("protetto", "vecchio");
    ASSERT_EQ(chmod(dir.file("protetto").c_str(), 0444), 0);
    ASSERT_EQ(mkdir(dir.file("cartella").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    dir.write("documento", "testo");

    const struct {
        const char* name;
        const char* error;
        const char* written; // the file that holds the new text, "" when none
    } cases[] = {
        {"link2", "", "vero"},
        {"pendente", "", "nuovo"},
        {"protetto", "il file è di sola lettura", ""},
        {"cartella", "è una cartella, non un file", ""},
        {"pipe", "non è un file ordinario", ""},
        {"documento/nuovo", "la cartella non esiste", ""},
        {"manca/nuovo", "la cartella non esiste", ""},
        {"giro", "troppi collegamenti simbolici", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("vero", "vecchio");
        EXPECT_EQ(sestara::writeFileAtomically(dir.file(c.name), "nuovo testo"), c.error);
        if (*c.written) {
            EXPECT_EQ(testutil::readFile(dir.file(c.written)), "nuovo testo");
        }
    }
    // The links are still links, and nothing refused was touched or left behind.
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link2")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("pendente")));
    EXPECT_EQ(testutil::readFile(dir.file("protetto")), "vecchio");
    EXPECT_EQ(testutil::readFile(dir.file("documento")), "testo");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"cartella", "documento", "giro", "link", "link2", "nuovo", "pendente",
                                               "pipe", "protetto", "vero"}));
}
