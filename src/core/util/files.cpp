#include "util/files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace sestara {

namespace fs = std::filesystem;

FileContents readRegularFile(const std::string& path, std::uint64_t maxBytes)
{
    FileContents out;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        out.error = "il file non esiste";
        return out;
    }
    if (!fs::is_regular_file(status)) {
        out.error = fs::is_directory(status) ? "è una cartella, non un file" : "non è un file ordinario";
        return out;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > maxBytes) {
        out.error = "il file è troppo grande (" + std::to_string(size) + " byte, al massimo " +
                    std::to_string(maxBytes) + ")";
        return out;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.error = "accesso negato o file illeggibile";
        return out;
    }
    // The size may change between the check and the reading: never take more than the limit.
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::uint64_t>(in.gcount());
        if (out.bytes.size() + got > maxBytes) {
            out.bytes.clear();
            out.error = "il file è troppo grande (oltre " + std::to_string(maxBytes) + " byte)";
            return out;
        }
        out.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (in.bad()) {
        out.bytes.clear();
        out.error = "errore di lettura";
    }
    return out;
}

} // namespace sestara
