#include "core/printing/pagelayouts.h"

#include "core/development/development.h"
#include "core/printing/slipgeometry.h"
#include "tests/common/pagerecorder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace sestara;
using pagetest::PageRecorder;
using Lines = std::vector<std::string>;

namespace {

PrintInput input(std::size_t count)
{
    auto development = std::make_shared<Development>();
    for (std::size_t k = 0; k < count; ++k)
        development->append(Column{1, 2, 3, 4, 5, static_cast<std::uint8_t>(7 + k % 80)});
    PrintInput in;
    in.system.entryText = "6 numeri sistema Integrale";
    in.system.pronostico = {1, 2, 3, 4, 5, 6, 7};
    in.system.development = development;
    in.caption = "Sistema 1";
    in.costText = "3,50   €";
    in.dateText = "07/12/26";
    in.versionMinor = 2;
    in.publisherName = "Editore";
    in.webAddress = "www.sestara.it";
    return in;
}

// The texts of a listing page below its header.
Lines listingLinesOf(const pagetest::RecordedPage& page)
{
    Lines lines;
    for (const auto& t : page.texts)
        if (t.text.find("\t>   ") != std::string::npos)
            lines.push_back(t.text);
    return lines;
}

std::string joined(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "|";
    return text;
}

void conditionOnSum(PrintInput& in)
{
    in.system.conditions.sommaAttiva = true;
    in.system.conditions.sommaMin = 21;
    in.system.conditions.sommaMax = 150;
}

} // namespace

TEST(PageLayouts, SlipPageNumberAndMarksAtTheirPrinterPositions)
{
    const Settings settings{}; // margins 35 and 30, marks of 16
    MarkList marks;
    marks.record(*numberPosition(1, 0));
    marks.record({3.0, 0.0}); // never printed
    marks.record({1.0, 2.0});
    PageRecorder out;
    ASSERT_TRUE(printOneSlip(out, marks, settings, 3));
    ASSERT_EQ(out.pages.size(), 1u);
    const auto& page = out.pages[0];
    ASSERT_EQ(page.texts.size(), 1u);
    EXPECT_EQ(page.texts[0].text, " 3");
    EXPECT_EQ(printedNumber(0) + printedNumber(-2), " 0-2");
    EXPECT_DOUBLE_EQ(page.texts[0].y, 567);
    EXPECT_EQ(page.texts[0].font, slipNumberFont());
    ASSERT_EQ(page.dots.size(), 2u);
    EXPECT_EQ(page.dots[0].penDots, 48);
    EXPECT_NEAR(page.dots[1].x, 1.35 * 567, 1e-9);
    EXPECT_NEAR(page.dots[1].y, 2.3 * 567, 1e-9);
    EXPECT_TRUE(out.ended);

    PageRecorder alone;
    ASSERT_TRUE(printMarksAlone(alone, marks, settings));
    EXPECT_TRUE(alone.pages[0].texts.empty());
    EXPECT_EQ(alone.pages[0].dots.size(), 2u);
    EXPECT_TRUE(alone.ended);
}

TEST(PageLayouts, AllSlipsAreOneJobEndedByTheSummaryAndKeepTheHandPlacedMarks)
{
    const PrintInput in = input(12);
    MarkList marks;
    marks.record({4.0, 4.0}); // placed by hand before the print
    PageRecorder out;
    ASSERT_TRUE(printAllSlips(out, in, marks));
    ASSERT_EQ(out.pages.size(), 4u);
    const std::size_t dots[] = {31, 31, 13};
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(out.pages[p].texts.at(0).text, " " + std::to_string(p + 1));
        EXPECT_EQ(out.pages[p].dots.size(), dots[p]);
        EXPECT_NEAR(out.pages[p].dots[0].x, (4.0 + 0.35) * 567, 1e-9);
    }
    EXPECT_TRUE(out.pages[3].dots.empty());
    EXPECT_EQ(out.pages[3].texts.back().text, "       3,50   €");
    EXPECT_TRUE(out.ended);
    EXPECT_EQ(marks.count(), 1);

    PageRecorder refused;
    refused.refusePage = 2;
    EXPECT_FALSE(printAllSlips(refused, in, marks));
    EXPECT_EQ(refused.pages.size(), 1u);
    EXPECT_FALSE(refused.ended);
    EXPECT_EQ(marks.count(), 1);

    // After a preview of slip 2 and a mark placed by hand, each slip carries its own marks and the
    // hand's, never the previewed slip's.
    MarkList previewed;
    ASSERT_TRUE(recordSlip(previewed, *in.system.development, 2));
    previewed.markAsPreview();
    previewed.record({5.0, 6.0});
    PageRecorder after;
    ASSERT_TRUE(printAllSlips(after, in, previewed));
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(after.pages[p].dots.size(), dots[p]);
        EXPECT_NEAR(after.pages[p].dots[0].x, (5.0 + 0.35) * 567, 1e-9);
    }
    EXPECT_EQ(previewed.count(), 1);
    EXPECT_EQ(previewed.at(0).x, 5.0);
}

TEST(PageLayouts, ARangeIsOneJobPerSlipNumberedByTheSlip)
{
    const PrintInput in = input(12);
    MarkList marks;
    marks.record({4.0, 4.0});
    pagetest::JobRecorder jobs;
    ASSERT_TRUE(printSlipRange(jobs.source(), in, 2, 2, marks));
    ASSERT_EQ(jobs.jobs.size(), 1u);
    ASSERT_EQ(jobs.jobs[0]->pages.size(), 1u);
    EXPECT_EQ(jobs.jobs[0]->pages[0].lines(), Lines{" 2"});
    EXPECT_EQ(jobs.jobs[0]->pages[0].dots.size(), 30u);
    EXPECT_TRUE(jobs.jobs[0]->ended);
    EXPECT_EQ(marks.count(), 30);

    pagetest::JobRecorder three;
    ASSERT_TRUE(printSlipRange(three.source(), in, 1, 3, marks));
    ASSERT_EQ(three.jobs.size(), 3u);
    EXPECT_EQ(three.jobs[2]->pages[0].lines(), Lines{" 3"});
    EXPECT_EQ(three.jobs[2]->pages[0].dots.size(), 12u);

    PageRecorder document;
    ASSERT_TRUE(printSlipRange(jobsAsPages(document), in, 1, 3, marks));
    ASSERT_EQ(document.pages.size(), 3u);
    EXPECT_EQ(document.pages[1].lines(), Lines{" 2"});
    EXPECT_FALSE(document.ended);
    document.refusePage = 5;
    EXPECT_FALSE(printSlipRange(jobsAsPages(document), in, 1, 3, marks));
}

TEST(PageLayouts, ListingHasFortyFourLinesOnTheFirstPageAndFortySixAfter)
{
    PageRecorder one;
    ASSERT_TRUE(printListing(one, input(44)));
    ASSERT_EQ(one.pages.size(), 1u);
    EXPECT_EQ(listingLinesOf(one.pages[0]).size(), 44u);
    // Lines follow one another down the page, the header from the top.
    EXPECT_EQ(one.pages[0].texts[0].text, "Pagina:  1");
    EXPECT_DOUBLE_EQ(one.pages[0].texts[0].y, 0);
    EXPECT_DOUBLE_EQ(one.pages[0].texts[1].y, lineHeight(9));

    PageRecorder two;
    ASSERT_TRUE(printListing(two, input(45)));
    ASSERT_EQ(two.pages.size(), 2u);
    EXPECT_EQ(two.pages[1].texts.front().text, "Pagina:  2");
    EXPECT_DOUBLE_EQ(two.pages[1].texts.front().y, 0);
    EXPECT_EQ(listingLinesOf(two.pages[1]), Lines{"45\t>   1-2-3-4-5-51"});
    EXPECT_TRUE(two.ended);

    PageRecorder three;
    ASSERT_TRUE(printListing(three, input(137)));
    ASSERT_EQ(three.pages.size(), 4u);
    EXPECT_EQ(listingLinesOf(three.pages[1]).size(), 46u);
    EXPECT_EQ(listingLinesOf(three.pages[2]).front(), "91\t>   1-2-3-4-5-17");
    EXPECT_EQ(listingLinesOf(three.pages[3]).size(), 1u);
    for (const auto& t : three.pages[3].texts)
        EXPECT_EQ(t.font, listingFont());
    for (const auto& [columns, pages] : {std::pair{44u, 1u}, {45u, 2u}, {90u, 2u}, {91u, 3u}, {924u, 21u}})
        EXPECT_EQ(listingPages(columns), pages) << columns;

    PageRecorder refused;
    refused.refusePage = 2;
    EXPECT_FALSE(printListing(refused, input(45)));
    EXPECT_FALSE(refused.ended);
}

// A header that leaves less room than the 44/46 lines: each page holds what fits above its bottom,
// and a line wider than the page goes on in the next line, broken after a "-" or a blank.
TEST(PageLayouts, AListingPageHoldsTheLinesThatFitAndLongLinesWrap)
{
    const auto a4 = [] {
        PageRecorder r;
        r.width = 10800; // 100 characters of 108 twips
        r.height = 75 * lineHeight(9) + 100;
        r.characterWidth = 108;
        return r;
    };
    PrintInput plain = input(200);
    PrintInput groups = input(200);
    groups.system.conditions.gruppiAttivi = true;
    groups.system.conditions.gruppi.assign(12, {"-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16-17-18-19-20", 0, 6});
    PrintInput wide = input(200);
    wide.system.pronostico.clear();
    for (int n = 1; n <= 55; ++n)
        wide.system.pronostico.push_back(static_cast<std::uint8_t>(n));
    wide.caption = "Sistema con un nome lunghissimo che da solo non entra in una riga di questa pagina stretta é";

    const struct {
        const char* name;
        const PrintInput& in;
        int header;      // header lines as printed
        int first, next; // listing lines a page
    } cases[] = {
        {"plain", plain, 20, 44, 46},
        {"twelve groups", groups, 33, 42, 42},
        {"55 numbers, long caption", wide, 22, 44, 46},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PageRecorder r = a4();
        r.setFont(listingFont());
        const ListingFit fit = listingFit(c.in, r);
        EXPECT_EQ(fit.firstPageLines, c.first);
        EXPECT_EQ(fit.pageLines, c.next);
        ASSERT_TRUE(printListing(r, c.in));
        EXPECT_EQ(r.pages.size(), listingPages(200, fit));
        EXPECT_EQ(listingLinesOf(r.pages[0]).size(), static_cast<std::size_t>(c.first));
        EXPECT_EQ(listingLinesOf(r.pages[1]).size(), static_cast<std::size_t>(c.next));
        EXPECT_EQ(fittedHeaderLines(c.in, 2, r).size(), static_cast<std::size_t>(c.header));
        for (const auto& page : r.pages)
            for (const auto& t : page.texts) {
                EXPECT_LE(r.textWidth(t.text), r.width) << t.text;
                EXPECT_LE(t.y + lineHeight(9), r.height) << t.text;
            }
    }

    // The 55 numbers in two lines broken after a blank, the caption after its last blank that fits.
    PageRecorder r = a4();
    const Lines header = fittedHeaderLines(wide, 1, r);
    std::string numbers;
    for (int n = 1; n <= 55; ++n)
        numbers += std::to_string(n) + " ";
    EXPECT_EQ(header[11] + header[12], numbers);
    EXPECT_EQ(header[11].back(), ' ');
    EXPECT_EQ(r.textWidth(header[11]), 99 * 108);
    EXPECT_EQ(header[3],
              " Nome Sistema : Sistema con un nome lunghissimo che da solo non entra in una riga di questa pagina ");
    EXPECT_EQ(r.textWidth(header[3]), 99 * 108);
    EXPECT_EQ(header[4], "stretta é");
}

TEST(PageLayouts, ALineWithoutABreakIsCutBetweenCharacters)
{
    PageRecorder r;
    r.width = 3 * 108;
    r.characterWidth = 108;
    const struct {
        std::string line;
        Lines pieces;
    } cases[] = {
        {"abcdefg", {"abc", "def", "g"}},
        {"1-23-456", {"1-", "23-", "456"}},
        {"àèìòù", {"àèì", "òù"}}, // never inside the bytes of one character
        {"ab", {"ab"}},
        {"", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fittedLines(c.line, r), c.pieces) << c.line;
    // A page narrower than one character still gives one character a line.
    r.width = 50;
    EXPECT_EQ(fittedLines("ab", r), (Lines{"a", "b"}));
    // Without bounds nothing is broken.
    EXPECT_EQ(fittedLines(std::string(500, 'x'), PageRecorder()), Lines{std::string(500, 'x')});
}

TEST(PageLayouts, HeaderLinesOfAnUnconditionedAndOfASumOnlySystem)
{
    PrintInput in = input(3);
    const Lines plain = listingHeaderLines(in, 1);
    EXPECT_EQ(joined(plain), "Pagina:  1|07/12/26   Sestara  Versione 1.2  www.sestara.it||"
                             " Nome Sistema : Sistema 1||||6 numeri sistema Integrale||Elementi:|1 2 3 4 5 6 7 |||"
                             "Costo sistema:  3,50   €||||SVILUPPO|||");

    conditionOnSum(in);
    const Lines sum = listingHeaderLines(in, 7);
    EXPECT_EQ(sum[7], "6 numeri sistema Integrale - Condizionato");
    EXPECT_EQ(sum[12], "Somma: 21 - 150");
    EXPECT_EQ(sum.size(), plain.size() + 1);

    // A SuperStar system names its number under the type.
    in.system.superStar = 7;
    EXPECT_EQ(listingHeaderLines(in, 1)[8], "SuperStar 7");
}

TEST(PageLayouts, ConditionLinesInTheirOrderAndTexts)
{
    ConditionSet c;
    c.presenzeAttive = true;
    c.presenze[1] = 5;
    c.presenze[2] = 17;
    c.pariDispariAttivo = true;
    c.pariDispari[2] = c.pariDispari[6] = true;
    c.consecutiviAttivo = true;
    c.consecutivi[0] = c.consecutivi[5] = true;
    c.sommaAttiva = true;
    c.sommaMin = 30;
    c.sommaMax = 200;
    c.gruppiAttivi = true;
    c.gruppi = {{"-5-17-23", 2, 3}, {"-1-2", 0, 1}};
    EXPECT_TRUE(isConditioned(c));
    EXPECT_EQ(joined(conditionLines(c)), "Pari/Dispari: 2 - 4   6 - 0   |Fisse: 5 17 |Consecutivi: 0 5 |"
                                         "Somma: 30 - 200|Gruppi:|Gr_1  Punti: 2 - 3 -----> -5-17-23|"
                                         "Gr_2  Punti: 0 - 1 -----> -1-2|");

    // Any one condition makes a system conditioned, groups only when there are some.
    ConditionSet one[4];
    one[0].salvaPresenze({5}, true);
    one[1].salvaPariDispari({2}, true);
    one[2].salvaConsecutivi({0}, true);
    one[3].salvaGruppi({{"-1", 0, 1}}, true);
    for (const ConditionSet& alone : one)
        EXPECT_TRUE(isConditioned(alone));
    one[3].gruppi.clear();
    EXPECT_FALSE(isConditioned(one[3]));
}

TEST(PageLayouts, SummaryPageLinesAndTheBlueCost)
{
    PrintInput in = input(12);
    in.system.pronostico.clear();
    for (std::uint8_t n = 1; n <= 16; ++n)
        in.system.pronostico.push_back(n);
    EXPECT_EQ(predictionLines({0, 4, 0, 9}), Lines{"-4-9-"});
    EXPECT_EQ(predictionLines(std::vector<std::uint8_t>(100, 8)).size(), 6u);

    PageRecorder out;
    printSummaryPage(out, in);
    const auto& page = out.pages[0];
    EXPECT_EQ(joined(page.lines()), "07/12/26|Sestara    Editore|Pronostico:|-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-|"
                                    "-16-|Nome Sistema : Sistema 1|6 numeri sistema Integrale|       3,50   €|");
    EXPECT_DOUBLE_EQ(page.texts[0].y, 567 + 2 * lineHeight(10));
    EXPECT_DOUBLE_EQ(page.texts[2].y, 567 + 5 * lineHeight(10));
    EXPECT_DOUBLE_EQ(page.texts.back().y, 567 + 13 * lineHeight(10));
    int large = 0;
    for (const auto& t : page.texts) {
        if (t.font.pointSize == 24 || t.font.rgb != 0) {
            ++large;
            EXPECT_EQ(t.text, "       3,50   €");
            EXPECT_EQ(t.font, costFont());
        } else {
            EXPECT_EQ(t.font, summaryFont());
        }
    }
    EXPECT_EQ(large, 1);

    conditionOnSum(in);
    PageRecorder conditioned;
    printSummaryPage(conditioned, in);
    const Lines lines = conditioned.pages[0].lines();
    EXPECT_EQ(lines[6], "6 numeri sistema Integrale    Condizionato");
    EXPECT_EQ(lines[7], "Somma: 21 - 150");

    in.system.superStar = 90;
    PageRecorder superStar;
    printSummaryPage(superStar, in);
    EXPECT_EQ(superStar.pages[0].lines()[7], "SuperStar 90");
}
