#include "core/printing/pagelayouts.h"

#include "core/development/development.h"
#include "core/development/run.h"
#include "core/printing/slipgeometry.h"

#include <algorithm>
#include <memory>

namespace sestara {

namespace {

constexpr double kOneCm = kTwipsPerCm;
constexpr std::size_t kPredictionPerLine = 15;
constexpr std::size_t kPredictionLines = 6;

// Writes lines one under the other from a starting height, each in the font current when written.
class LineWriter {
public:
    LineWriter(PageOutput& out, double top) : out_(out), y_(top) {}

    void font(const PageFont& f)
    {
        out_.setFont(f);
        pitch_ = lineHeight(f.pointSize);
    }
    void line(const std::string& text)
    {
        if (!text.empty())
            out_.text(0, y_, text);
        y_ += pitch_;
    }
    void restart(double top) { y_ = top; }
    void blank(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            line({});
    }

private:
    PageOutput& out_;
    double y_;
    double pitch_ = lineHeight(10);
};

// The SuperStar the system plays, under its type on the listing and on the summary page.
std::string superStarLine(int superStar)
{
    return "SuperStar " + std::to_string(superStar);
}

std::string pageLine(int page)
{
    return "Pagina: " + printedNumber(page);
}

// The header of the listing's pages: they differ in the page number only, so the rest is fitted
// to the page once.
class ListingHeader {
public:
    ListingHeader(const PrintInput& input, const PageOutput& out) : out_(out)
    {
        const std::vector<std::string> lines = listingHeaderLines(input, 1);
        for (std::size_t i = 1; i < lines.size(); ++i)
            for (std::string& piece : fittedLines(lines[i], out))
                rest_.push_back(std::move(piece));
    }
    void print(LineWriter& w) const
    {
        for (const std::string& line : fittedLines(pageLine(out_.pageNumber()), out_))
            w.line(line);
        for (const std::string& line : rest_)
            w.line(line);
    }

private:
    const PageOutput& out_;
    std::vector<std::string> rest_;
};

// Where a character of UTF-8 text may end a piece: not inside the bytes of one character.
bool startsCharacter(const std::string& text, std::size_t at)
{
    return at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

// A job of a range inside one document: everything passes through but the end of the job.
class JobInDocument : public PageOutput {
public:
    explicit JobInDocument(PageOutput& document) : document_(document) {}

    void setFont(const PageFont& font) override { document_.setFont(font); }
    void text(double x, double y, const std::string& text) override { document_.text(x, y, text); }
    void dot(double x, double y, int penDots) override { document_.dot(x, y, penDots); }
    bool newPage() override { return document_.newPage(); }
    bool end() override { return true; }
    void abort() override { document_.abort(); }
    int pageNumber() const override { return document_.pageNumber(); }
    double pageWidth() const override { return document_.pageWidth(); }
    double pageHeight() const override { return document_.pageHeight(); }
    double textWidth(const std::string& text) const override { return document_.textWidth(text); }

private:
    PageOutput& document_;
};

} // namespace

PageFont listingFont()
{
    return {"Courier New", 9, false, 0x000000, true};
}

PageFont summaryFont()
{
    return {"MS Sans Serif", 10, true, 0x000000, false};
}

PageFont costFont()
{
    return {"MS Sans Serif", 24, true, 0x0000FF, false};
}

PageFont slipNumberFont()
{
    return {"MS Sans Serif", 10, false, 0x000000, false};
}

double lineHeight(int pointSize)
{
    // The height of a line of text with its leading: 1.15 of the font's size (20 twips a point).
    return pointSize * 23.0;
}

std::string printedNumber(long long value)
{
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

bool isConditioned(const ConditionSet& conditions)
{
    const ConditionDisplay d = conditionDisplay(conditions);
    return d.fisseVisible || d.pariDispariVisible || d.sommaVisible || d.consecutiviVisible || !d.gruppi.empty();
}

std::vector<std::string> conditionLines(const ConditionSet& conditions)
{
    std::vector<std::string> lines;
    if (!isConditioned(conditions))
        return lines;
    const ConditionDisplay d = conditionDisplay(conditions);
    if (d.pariDispariVisible) {
        std::string line = "Pari/Dispari: ";
        for (const std::string& e : d.pariDispari)
            line += e + "   ";
        lines.push_back(line);
    }
    if (d.fisseVisible) {
        std::string line = "Fisse: ";
        for (const std::string& e : d.fisse)
            line += e + " ";
        lines.push_back(line);
    }
    if (d.consecutiviVisible) {
        std::string line = "Consecutivi: ";
        for (const std::string& e : d.consecutivi)
            line += e + " ";
        lines.push_back(line);
    }
    if (d.sommaVisible)
        lines.push_back("Somma: " + d.somma.front());
    if (d.gruppiVisible) {
        lines.emplace_back("Gruppi:");
        for (std::size_t i = 0; i < d.gruppi.size(); ++i)
            lines.push_back(d.gruppi[i] + " -----> " + conditions.gruppi[i].numeri);
    }
    return lines;
}

std::vector<std::string> predictionLines(const std::vector<std::uint8_t>& pronostico)
{
    std::vector<std::string> lines;
    std::size_t inLine = 0;
    for (std::uint8_t n : pronostico) {
        if (n == 0)
            continue;
        if (inLine == 0) {
            if (lines.size() == kPredictionLines)
                break;
            lines.emplace_back("-");
        }
        lines.back() += std::to_string(n) + "-";
        if (++inLine == kPredictionPerLine)
            inLine = 0;
    }
    return lines;
}

std::vector<std::string> listingHeaderLines(const PrintInput& input, int page)
{
    std::vector<std::string> lines;
    lines.push_back(pageLine(page));
    lines.push_back(input.dateText + "   " + input.productName + "  Versione " + std::to_string(input.versionMajor) +
                    "." + std::to_string(input.versionMinor) + "  " + input.webAddress);
    lines.emplace_back();
    lines.push_back(" Nome Sistema : " + input.caption);
    lines.insert(lines.end(), 3, std::string());
    const bool conditioned = isConditioned(input.system.conditions);
    lines.push_back(input.system.entryText + (conditioned ? " - Condizionato" : ""));
    if (input.system.superStar != 0)
        lines.push_back(superStarLine(input.system.superStar));
    lines.emplace_back();
    lines.emplace_back("Elementi:");
    lines.push_back(input.system.predictionText());
    lines.emplace_back();
    for (std::string& line : conditionLines(input.system.conditions))
        lines.push_back(std::move(line));
    lines.emplace_back();
    lines.push_back("Costo sistema:  " + input.costText);
    lines.insert(lines.end(), 3, std::string());
    lines.emplace_back("SVILUPPO");
    lines.insert(lines.end(), 2, std::string());
    return lines;
}

std::vector<std::string> fittedLines(const std::string& line, const PageOutput& out)
{
    const double width = out.pageWidth();
    std::vector<std::string> pieces;
    std::string rest = line;
    while (width > 0 && out.textWidth(rest) > width) {
        // The longest start that fits, at least one character; the last break after it wins.
        std::size_t fits = 0;
        std::size_t lastBreak = 0;
        for (std::size_t end = 1; end < rest.size(); ++end) {
            if (!startsCharacter(rest, end))
                continue;
            if (out.textWidth(rest.substr(0, end)) > width)
                break;
            fits = end;
            if (rest[end - 1] == '-' || rest[end - 1] == ' ')
                lastBreak = end;
        }
        if (fits == 0) {
            fits = 1;
            while (!startsCharacter(rest, fits))
                ++fits;
        }
        const std::size_t cut = lastBreak > 0 ? lastBreak : fits;
        pieces.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
        if (rest.empty())
            return pieces;
    }
    pieces.push_back(rest);
    return pieces;
}

std::vector<std::string> fittedHeaderLines(const PrintInput& input, int page, const PageOutput& out)
{
    std::vector<std::string> lines;
    for (const std::string& line : listingHeaderLines(input, page))
        for (std::string& piece : fittedLines(line, out))
            lines.push_back(std::move(piece));
    return lines;
}

ListingFit listingFit(const PrintInput& input, const PageOutput& out)
{
    ListingFit fit;
    if (out.pageHeight() <= 0)
        return fit;
    // Every line on the page, header included, ends above the bottom of the printable area; a
    // header taller than the page still leaves one line of the listing a page.
    const int room = static_cast<int>(out.pageHeight() / lineHeight(listingFont().pointSize));
    const auto under = [&](int page, int most) {
        const int header = static_cast<int>(fittedHeaderLines(input, page, out).size());
        return std::max(1, std::min(most, room - header));
    };
    fit.firstPageLines = under(1, kListingLinesFirstPage);
    fit.pageLines = under(2, kListingLinesPerPage);
    return fit;
}

std::uint64_t listingPages(std::uint64_t columns, const ListingFit& fit)
{
    const auto first = static_cast<std::uint64_t>(fit.firstPageLines);
    const auto next = static_cast<std::uint64_t>(fit.pageLines);
    if (columns <= first)
        return 1;
    return 1 + (columns - first + next - 1) / next;
}

void printSlipPage(PageOutput& out, const MarkList& marks, const Settings& settings, long long number)
{
    out.setFont(slipNumberFont());
    out.text(0, kOneCm, printedNumber(number));
    printMarkPage(out, marks, settings);
}

void printMarkPage(PageOutput& out, const MarkList& marks, const Settings& settings)
{
    const int pen = printerPenDots(settings.superPunto);
    for (int i = 0; i < MarkList::kCapacity; ++i) {
        const SlipPoint& mark = marks.at(i);
        if (mark.y == 0)
            continue;
        const SlipPoint p = printerPosition(mark, settings);
        out.dot(p.x, p.y, pen);
    }
}

void printSummaryPage(PageOutput& out, const PrintInput& input)
{
    LineWriter w(out, kOneCm);
    w.font(summaryFont());
    w.blank(2);
    w.line(input.dateText);
    w.line(input.productName + "    " + input.publisherName);
    w.blank();
    w.line("Pronostico:");
    for (const std::string& line : predictionLines(input.system.pronostico))
        w.line(line);
    w.blank();
    w.line("Nome Sistema : " + input.caption);
    const bool conditioned = isConditioned(input.system.conditions);
    w.line(input.system.entryText + (conditioned ? "    Condizionato" : ""));
    if (input.system.superStar != 0)
        w.line(superStarLine(input.system.superStar));
    for (const std::string& line : conditionLines(input.system.conditions))
        w.line(line);
    w.blank(2);
    w.font(costFont());
    w.line("       " + input.costText);
}

bool printListing(PageOutput& out, const PrintInput& input)
{
    LineWriter w(out, 0);
    w.font(listingFont());
    const ListingFit fit = listingFit(input, out);
    const ListingHeader header(input, out);
    header.print(w);
    const Development* development = input.system.development.get();
    const std::size_t columns = development ? development->size() : 0;
    std::size_t room = static_cast<std::size_t>(fit.firstPageLines);
    std::string line;
    for (std::size_t n = 1; n <= columns; ++n) {
        if (room-- == 0) {
            if (!out.newPage())
                return false;
            w.restart(0);
            header.print(w);
            room = static_cast<std::size_t>(fit.pageLines) - 1;
        }
        line.clear();
        appendListingLine(line, n, development->data(n - 1));
        w.line(line);
    }
    return out.end();
}

bool printAllSlips(PageOutput& out, const PrintInput& input, MarkList& marks)
{
    // A slip previewed before would otherwise be printed over every slip.
    marks.dropPreview();
    marks.keepCurrent();
    const Development* development = input.system.development.get();
    const std::uint64_t slips = development ? caricaQuanteSchedine(development->size()) : 0;
    for (std::uint64_t slip = 1; slip <= slips; ++slip) {
        recordSlip(marks, *development, slip);
        printSlipPage(out, marks, input.settings, out.pageNumber());
        marks.clearToKept();
        if (!out.newPage())
            return false;
        if (slip == slips)
            printSummaryPage(out, input);
    }
    return out.end();
}

bool printSlipRange(const std::function<PageOutput*()>& nextJob, const PrintInput& input, std::uint64_t first,
                    std::uint64_t last, MarkList& marks)
{
    const Development* development = input.system.development.get();
    for (std::uint64_t slip = first; slip <= last; ++slip) {
        marks.clear();
        if (development)
            recordSlip(marks, *development, slip);
        PageOutput* out = nextJob();
        if (!out)
            return false;
        printSlipPage(*out, marks, input.settings, static_cast<long long>(slip));
        if (!out->end())
            return false;
    }
    return true;
}

bool printOneSlip(PageOutput& out, const MarkList& marks, const Settings& settings, long long number)
{
    printSlipPage(out, marks, settings, number);
    return out.end();
}

bool printMarksAlone(PageOutput& out, const MarkList& marks, const Settings& settings)
{
    printMarkPage(out, marks, settings);
    return out.end();
}

std::function<PageOutput*()> jobsAsPages(PageOutput& document)
{
    auto job = std::make_shared<JobInDocument>(document);
    auto started = std::make_shared<bool>(false);
    return [job, started]() -> PageOutput* {
        if (*started && !job->newPage())
            return nullptr;
        *started = true;
        return job.get();
    };
}

} // namespace sestara
