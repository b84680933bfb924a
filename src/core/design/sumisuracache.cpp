#include "core/design/sumisuracache.h"

#include "core/util/files.h"
#include "core/util/text.h"

#include <cstdio>
#include <string_view>

namespace sestara {

const char* const kSuMisuraCacheFileName = "SuMisura.txt";

namespace {

constexpr std::uint64_t kMaxCacheBytes = 8u << 20;

struct Entry {
    std::string key;
    std::vector<Column> columns;
};

std::string keyOf(const SuMisuraRequest& r)
{
    return "Richiesta=" + std::to_string(r.numbers) + " " + std::to_string(r.k) + " " + std::to_string(r.m) + " " +
           std::to_string(r.maxColumns) + " " + levelName(r.level);
}

// Every entry of the file; a line that is neither a request nor a column of one is passed over.
std::vector<Entry> readEntries(const std::string& path)
{
    std::vector<Entry> entries;
    const FileContents file = readRegularFile(path, kMaxCacheBytes);
    if (!file.ok())
        return entries;
    for (std::string_view line : splitAll(file.bytes, '\n')) {
        line = chompCr(line);
        if (line.substr(0, 10) == "Richiesta=") {
            entries.push_back(Entry{std::string(line), {}});
            continue;
        }
        int v[6];
        char tail = 0;
        const std::string text(line);
        if (entries.empty() || std::sscanf(text.c_str(), "Colonna=%d %d %d %d %d %d%c", &v[0], &v[1], &v[2], &v[3],
                                           &v[4], &v[5], &tail) != 6)
            continue;
        Column c{};
        bool valid = true;
        for (std::size_t i = 0; i < 6; ++i) {
            valid = valid && v[i] >= 1 && v[i] <= kMaxSuMisuraNumbers;
            c[i] = static_cast<std::uint8_t>(valid ? v[i] : 0);
        }
        if (valid)
            entries.back().columns.push_back(c);
    }
    return entries;
}

} // namespace

bool findCachedDesign(const std::string& path, const SuMisuraRequest& request, std::vector<Column>& columns)
{
    const std::string key = keyOf(request);
    for (Entry& e : readEntries(path)) {
        if (e.key != key || e.columns.empty())
            continue;
        const StatedShare share = statedShare(suMisuraEntryText(request.numbers, request.k, request.m), e.columns);
        const bool fits = request.maxColumns ? e.columns.size() <= request.maxColumns : share.covered == share.total;
        if (share.total == 0 || !fits)
            return false;
        columns = std::move(e.columns);
        return true;
    }
    return false;
}

std::string storeCachedDesign(const std::string& path, const SuMisuraRequest& request,
                              const std::vector<Column>& columns)
{
    std::vector<Entry> entries = readEntries(path);
    const std::string key = keyOf(request);
    std::string text;
    std::size_t kept = 0;
    const auto append = [&](const std::string& k, const std::vector<Column>& cols) {
        if (kept + cols.size() > kCachedColumns)
            return;
        kept += cols.size();
        text += k + "\r\n";
        for (const Column& c : cols) {
            text += "Colonna=";
            for (std::size_t i = 0; i < 6; ++i) {
                if (i)
                    text += ' ';
                appendDecimal(text, c[i]);
            }
            text += "\r\n";
        }
    };
    append(key, columns);
    for (const Entry& e : entries)
        if (e.key != key)
            append(e.key, e.columns);
    return writeFileAtomically(path, text);
}

} // namespace sestara
