#pragma once

#include "core/development/prediction.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testutil {

// A fresh folder under the system's temporary folder, removed with all it holds when the object goes.
class TempDir {
public:
    TempDir()
    {
        std::random_device seed;
        do
            path_ = std::filesystem::temp_directory_path() / ("sestara-test-" + std::to_string(seed()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
    std::error_code ignored_;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One 6-byte record of the reduced-systems table.
inline std::string record(int a, int b, int c, int d, int e, int f)
{
    return {char(a), char(b), char(c), char(d), char(e), char(f)};
}

inline std::vector<int> range(int first, int last)
{
    std::vector<int> v;
    for (int n = first; n <= last; ++n)
        v.push_back(n);
    return v;
}

inline sestara::Prediction predictionOf(const std::vector<int>& numbers)
{
    return *sestara::Prediction::fromNumbers(numbers);
}

// The numbers first..last as the developers take them.
inline std::vector<std::uint8_t> pronostico(int first, int last)
{
    const std::vector<int> v = range(first, last);
    return {v.begin(), v.end()};
}

} // namespace testutil
