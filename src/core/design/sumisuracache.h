#pragma once

// What the window made to measure, kept beside the user's settings so that asking again for the
// same system is instant. The file is bounded: the latest designs first, no more than
// kCachedColumns columns in all. Every design is proven again when it is taken back.

#include "core/design/sumisura.h"

#include <string>
#include <vector>

namespace sestara {

extern const char* const kSuMisuraCacheFileName; // "SuMisura.txt"
constexpr std::size_t kCachedColumns = 60000;

// The columns kept for the same request (numbers, guarantee, limit, level), proven to reach
// everything when the request has no limit; false when there are none or they are not.
bool findCachedDesign(const std::string& path, const SuMisuraRequest& request, std::vector<Column>& columns);

// Keeps the columns for the request, first in the file; the oldest go beyond the bound. Says why
// the file could not be written, empty when it was.
std::string storeCachedDesign(const std::string& path, const SuMisuraRequest& request,
                              const std::vector<Column>& columns);

} // namespace sestara
