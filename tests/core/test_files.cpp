#include "core/util/files.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
