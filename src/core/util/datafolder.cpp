#include "core/util/datafolder.h"

#include "core/development/storedsystems.h"

#include <filesystem>
#include <system_error>

#ifndef SESTARA_DATA_FROM_BINDIR
#define SESTARA_DATA_FROM_BINDIR "../share/sestara"
#endif

namespace sestara {

namespace fs = std::filesystem;

bool holdsDataFiles(const std::string& folder)
{
    std::error_code ec;
    return fs::is_regular_file(fs::path(folder) / kRiduttoreFileName, ec) ||
           fs::is_regular_file(fs::path(folder) / kImmediatiFileName, ec);
}

std::string findDataFolder(const std::string& programFolder)
{
    if (holdsDataFiles(programFolder))
        return programFolder;
    const std::string installed = (fs::path(programFolder) / SESTARA_DATA_FROM_BINDIR).lexically_normal().string();
    if (holdsDataFiles(installed))
        return installed;
    return programFolder;
}

} // namespace sestara
