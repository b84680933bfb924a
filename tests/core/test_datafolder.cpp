#include "core/util/datafolder.h"

#include "tests/common/testutil.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheProgramThenTheInstalledShareFolder)
{
    const testutil::TempDir prefix;
    const std::string bin = prefix.file("bin");
    const std::string share = prefix.file("share/sestara");
    fs::create_directories(bin);
    fs::create_directories(share);

    // Neither place holds data: the program folder, so a missing file is looked for there.
    EXPECT_EQ(sestara::findDataFolder(bin), bin);
    // Installed: bin/ and share/sestara/ side by side; either data file is enough.
    prefix.write("share/sestara/Immediati", "");
    EXPECT_EQ(sestara::findDataFolder(bin), share);
    // A folder named like a data file is not one.
    fs::create_directory(prefix.file("bin/Riduttore"));
    EXPECT_EQ(sestara::findDataFolder(bin), share);
    // Beside the executable (the build tree) comes first.
    fs::remove(prefix.file("bin/Riduttore"));
    prefix.write("bin/Riduttore", "");
    EXPECT_EQ(sestara::findDataFolder(bin), bin);
    EXPECT_TRUE(sestara::holdsDataFiles(bin));
    EXPECT_FALSE(sestara::holdsDataFiles(prefix.path()));
}
