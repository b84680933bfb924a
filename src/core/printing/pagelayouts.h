#pragma once

#include "core/document/systemdocument.h"
#include "core/printing/pageoutput.h"
#include "core/settings/settings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sestara {

class MarkList;

// Everything a printed page says about a system, as the window shows it when the print starts.
struct PrintInput {
    DevelopedSystem system;    // shares the development, so a copy costs little
    std::string caption;       // the window's caption, the system's name
    std::string costText;      // the cost of the developed system as displayed
    std::string dateText;      // today in the user's short date format
    std::string productName = "Sestara";
    int versionMajor = 1;
    int versionMinor = 0;
    std::string publisherName;
    std::string webAddress;
    Settings settings;
};

constexpr int kListingLinesFirstPage = 44;
constexpr int kListingLinesPerPage = 46;

PageFont listingFont();     // the listing and its header: fixed pitch, 9 points
PageFont summaryFont();     // the summary page: bold, 10 points
PageFont costFont();        // the summary page's cost: bold, 24 points, blue
PageFont slipNumberFont();  // the number at the top of a slip: 10 points
// The distance from one printed line to the next in a font of that size, in twips.
double lineHeight(int pointSize);

// A number as printed by itself: a blank before a number that is not negative.
std::string printedNumber(long long value);

// Whether the system was developed with a condition in force.
bool isConditioned(const ConditionSet& conditions);
// The condition lines of the summary page and of the listing header, in their order; none for an
// unconditioned system.
std::vector<std::string> conditionLines(const ConditionSet& conditions);
// The prediction by fifteen numbers a line, each line opening and closing with "-".
std::vector<std::string> predictionLines(const std::vector<std::uint8_t>& pronostico);
// The header at the top of every page of the listing.
std::vector<std::string> listingHeaderLines(const PrintInput& input, int page);
// How many listing lines a page holds under its header: 44 on the first page and 46 on the others,
// or fewer where the header leaves less room on the device's page.
struct ListingFit {
    int firstPageLines = kListingLinesFirstPage;
    int pageLines = kListingLinesPerPage;
};
// `line` in pieces each as wide as the page at most, in the device's current font: broken after a
// "-" or a blank where one fits, else between two characters. Whole on a device without bounds.
std::vector<std::string> fittedLines(const std::string& line, const PageOutput& out);
// The header of `page` as printed: each line fitted to the page width in the listing font.
std::vector<std::string> fittedHeaderLines(const PrintInput& input, int page, const PageOutput& out);
// The lines a page of the device holds under that header, in the listing font (set on `out`).
ListingFit listingFit(const PrintInput& input, const PageOutput& out);
// The pages a listing of that many columns takes.
std::uint64_t listingPages(std::uint64_t columns, const ListingFit& fit = {});

// One slip page on the current page: the number 1 cm from the top, then every mark with a
// non-zero y at its printer position.
void printSlipPage(PageOutput& out, const MarkList& marks, const Settings& settings, long long number);
// The marks alone on the current page, without a number.
void printMarkPage(PageOutput& out, const MarkList& marks, const Settings& settings);
// The summary page closing a print of all slips, on the current page.
void printSummaryPage(PageOutput& out, const PrintInput& input);

// The jobs. Each ends its job and is false when the device refused a page or the job; the
// caller then aborts the job.

// The listing on paper: the header on every page, then the lines of listingFit() (44 on the first
// page and 46 on every further one where they fit). Produced line by line, whatever the size of
// the development.
bool printListing(PageOutput& out, const PrintInput& input);
// Every slip of the development, one a page numbered by the page, then the summary page. The
// marks placed by hand when the job starts (not a preview's) are kept on every slip; afterwards
// only they remain.
bool printAllSlips(PageOutput& out, const PrintInput& input, MarkList& marks);
// Slips `first` to `last` (from 1, first <= last), each a job of its own from `nextJob`
// (nothing: stop), numbered by the slip. The marks end as the last slip's.
bool printSlipRange(const std::function<PageOutput*()>& nextJob, const PrintInput& input, std::uint64_t first,
                    std::uint64_t last, MarkList& marks);
// The marks now recorded as slip `number`.
bool printOneSlip(PageOutput& out, const MarkList& marks, const Settings& settings, long long number);
// The marks now recorded, without a number.
bool printMarksAlone(PageOutput& out, const MarkList& marks, const Settings& settings);

// The jobs of a range written as the pages of one document (a preview, a file): each job after
// the first starts a new page, and ending a job ends nothing. The returned source keeps `document`
// by reference.
std::function<PageOutput*()> jobsAsPages(PageOutput& document);

} // namespace sestara
