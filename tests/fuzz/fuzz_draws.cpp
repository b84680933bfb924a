// Any bytes as a file of draws: every draw read keeps the rules of a draw, the archive made of them
// is in date order with one draw a date, and its file text reads back to the same archive.
#include "core/draws/drawarchive.h"
#include "core/util/text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

namespace {

bool valid(const sestara::Draw& d)
{
    std::set<int> six(d.numbers.begin(), d.numbers.end());
    return six.size() == 6 && *six.begin() >= 1 && *six.rbegin() <= 90 && d.jolly >= 1 && d.jolly <= 90 &&
           !six.count(d.jolly) && d.superstar <= 90 && d.concorso >= 0 && d.concorso <= 999999 &&
           sestara::parseIsoDate(sestara::dateText(d.date)) == d.date;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = sestara::utf8Text(std::string(reinterpret_cast<const char*>(data), size));
    const sestara::DrawReading reading = sestara::readDraws(text);
    if (reading.lines.size() != reading.draws.size())
        std::abort();
    for (const sestara::Draw& d : reading.draws)
        if (!valid(d))
            std::abort();
    sestara::DrawArchive archive;
    const sestara::ImportSummary summary = archive.import(reading);
    if (summary.added + summary.present + summary.refusedCount != reading.draws.size() + reading.refusedCount ||
        archive.draws().size() != summary.added)
        std::abort();
    for (std::size_t k = 1; k < archive.draws().size(); ++k)
        if (archive.draws()[k - 1].date >= archive.draws()[k].date)
            std::abort();
    sestara::DrawArchive again;
    const sestara::ImportSummary back = again.import(sestara::readDraws(archive.text()));
    if (again.text() != archive.text() || back.refusedCount != 0)
        std::abort();
    if (sestara::importMessage(summary, sestara::kMsgNessunaEstrazioneFile).empty())
        std::abort();
    return 0;
}
