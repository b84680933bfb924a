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
    // A shared folder (sticky, writable by all) of another user, with links of three owners: the
    // user's and the folder owner's are followed, a third user's is not. Only root can plant them.
    const bool root = geteuid() == 0;
    ASSERT_EQ(mkdir(dir.file("condivisa").c_str(), 0777), 0);
    ASSERT_EQ(chmod(dir.file("condivisa").c_str(), 01777), 0);
    for (const std::string link : {"mio", "padrone", "altrui"})
        ASSERT_EQ(symlink("../vero", dir.file("condivisa/" + link).c_str()), 0);
    if (root) {
        ASSERT_EQ(chown(dir.file("condivisa").c_str(), 12345, 12345), 0);
        ASSERT_EQ(lchown(dir.file("condivisa/padrone").c_str(), 12345, 12345), 0);
        ASSERT_EQ(lchown(dir.file("condivisa/altrui").c_str(), 23456, 23456), 0);
    }
    // As long a name as the file system takes.
    const std::string longest(255, 'n');

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
        {"condivisa/mio", "", "vero"},
        {"condivisa/padrone", "", "vero"},
        {"condivisa/altrui", root ? "collegamento simbolico di un altro utente in una cartella condivisa" : "", ""},
        {longest.c_str(), "", longest.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("vero", "vecchio");
        EXPECT_EQ(sestara::writeFileAtomically(dir.file(c.name), "nuovo testo"), c.error);
        if (*c.written) {
            EXPECT_EQ(testutil::readFile(dir.file(c.written)), "nuovo testo");
        } else if (root) {
            EXPECT_EQ(testutil::readFile(dir.file("vero")), "vecchio");
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
    EXPECT_EQ(names, (std::vector<std::string>{"cartella", "condivisa", "documento", "giro", "link", "link2", longest,
                                               "nuovo", "pendente", "pipe", "protetto", "vero"}));
}

// New files are made as the user's umask says, a replaced file keeps its mode and owner, and a
// folder that cannot be entered is named as such.
TEST(Files, ModeOwnerAndUnreachableFolders)
{
    const testutil::TempDir dir;
    const mode_t before = umask(077);
    EXPECT_EQ(sestara::writeFileAtomically(dir.file("nuovo"), "x"), "");
    umask(before);
    struct stat info {};
    ASSERT_EQ(stat(dir.file("nuovo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    dir.write("vecchio", "x");
    ASSERT_EQ(chmod(dir.file("vecchio").c_str(), 0640), 0);
    const uid_t owner = geteuid() == 0 ? 12345 : geteuid();
    ASSERT_EQ(chown(dir.file("vecchio").c_str(), owner, static_cast<gid_t>(-1)), 0);
    EXPECT_EQ(sestara::writeFileAtomically(dir.file("vecchio"), "y"), "");
    ASSERT_EQ(stat(dir.file("vecchio").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(testutil::readFile(dir.file("vecchio")), "y");

    // Root is shut out for a moment by taking another user's identity.
    const std::string closed = dir.file("chiusa");
    ASSERT_EQ(mkdir(closed.c_str(), 0700), 0);
    ASSERT_EQ(geteuid() == 0 ? seteuid(65534) : chmod(closed.c_str(), 0), 0);
    EXPECT_EQ(sestara::writeFileAtomically(closed + "/nuovo", "x"), "cartella non accessibile");
    EXPECT_EQ(sestara::readRegularFile(closed + "/nuovo", 5).error, "cartella non accessibile");
    EXPECT_EQ(getuid() == 0 ? seteuid(0) : chmod(closed.c_str(), 0700), 0);
}
