#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace testutil {

// A fresh folder under /tmp, removed when the object goes.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/sestara-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "/tmp";
    }
    ~TempDir()
    {
        const std::string cmd = "rm -rf '" + path_ + "'";
        if (path_.rfind("/tmp/sestara-test-", 0) == 0)
            (void)std::system(cmd.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::string path_;
};

inline std::string record(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint8_t e,
                          std::uint8_t f)
{
    return std::string{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                       static_cast<char>(d), static_cast<char>(e), static_cast<char>(f)};
}

// Records that are neither a header nor meant to be read as columns.
inline std::string filler(std::size_t records)
{
    return std::string(records * 6, '\0');
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace testutil
