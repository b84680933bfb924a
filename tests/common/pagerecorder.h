#pragma once

#include "core/printing/pageoutput.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pagetest {

struct RecordedText {
    double x = 0;
    double y = 0;
    std::string text;
    sestara::PageFont font;
};

struct RecordedDot {
    double x = 0;
    double y = 0;
    int penDots = 0;
};

struct RecordedPage {
    std::vector<RecordedText> texts;
    std::vector<RecordedDot> dots;

    // The texts top to bottom as written, without positions.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (const RecordedText& t : texts)
            out.push_back(t.text);
        return out;
    }
};

// A print job kept in memory: every text and dot of every page, in twips.
class PageRecorder : public sestara::PageOutput {
public:
    std::vector<RecordedPage> pages = std::vector<RecordedPage>(1);
    bool ended = false;
    // The page whose start the device refuses (0: none).
    int refusePage = 0;

    void setFont(const sestara::PageFont& font) override { font_ = font; }
    void text(double x, double y, const std::string& text) override
    {
        pages.back().texts.push_back({x, y, text, font_});
    }
    void dot(double x, double y, int penDots) override { pages.back().dots.push_back({x, y, penDots}); }
    bool newPage() override
    {
        if (refusePage == pageNumber() + 1)
            return false;
        pages.emplace_back();
        return true;
    }
    bool end() override { return ended = true; }
    void abort() override {}
    int pageNumber() const override { return static_cast<int>(pages.size()); }

    // A page of that printable size, every character as wide as `characterWidth` (twips); with no
    // size given the recorder has no bounds.
    double width = 0;
    double height = 0;
    double characterWidth = 0;
    double pageWidth() const override { return width; }
    double pageHeight() const override { return height; }
    double textWidth(const std::string& text) const override
    {
        std::size_t characters = 0;
        for (unsigned char c : text)
            characters += (c & 0xC0) != 0x80;
        return characters * characterWidth;
    }

private:
    sestara::PageFont font_;
};

// The jobs of a print that sends several, each recorded on its own.
struct JobRecorder {
    std::vector<std::unique_ptr<PageRecorder>> jobs;

    std::function<sestara::PageOutput*()> source()
    {
        return [this]() -> sestara::PageOutput* {
            jobs.push_back(std::make_unique<PageRecorder>());
            return jobs.back().get();
        };
    }
};

} // namespace pagetest
