#pragma once

#include "core/printing/pageoutput.h"

#include <atomic>
#include <cstdint>

namespace sestara {

// The first `limit` pages of a job go to the device; the start of the next one is refused, so the
// job stops there without drawing the rest. `limitReached()` tells that stop from a real refusal.
class FirstPagesOutput : public PageOutput {
public:
    FirstPagesOutput(PageOutput& device, int limit) : device_(device), limit_(limit) {}

    void setFont(const PageFont& font) override { device_.setFont(font); }
    void text(double x, double y, const std::string& text) override { device_.text(x, y, text); }
    void dot(double x, double y, int penDots) override { device_.dot(x, y, penDots); }
    bool newPage() override;
    bool end() override { return device_.end(); }
    void abort() override { device_.abort(); }
    int pageNumber() const override { return device_.pageNumber(); }
    double pageWidth() const override { return device_.pageWidth(); }
    double pageHeight() const override { return device_.pageHeight(); }
    double textWidth(const std::string& text) const override { return device_.textWidth(text); }

    bool limitReached() const { return limitReached_; }

private:
    PageOutput& device_;
    int limit_;
    bool limitReached_ = false;
};

// A job watched from another thread: every finished page is added to `pagesDone`, and once
// `interrupt` is raised the next page is refused, so the job stops where it is.
class WatchedPageOutput : public PageOutput {
public:
    WatchedPageOutput(PageOutput& device, const std::atomic<bool>& interrupt, std::atomic<std::uint64_t>& pagesDone)
        : device_(device), interrupt_(interrupt), pagesDone_(pagesDone)
    {
    }

    void setFont(const PageFont& font) override { device_.setFont(font); }
    void text(double x, double y, const std::string& text) override { device_.text(x, y, text); }
    void dot(double x, double y, int penDots) override { device_.dot(x, y, penDots); }
    bool newPage() override;
    bool end() override;
    void abort() override { device_.abort(); }
    int pageNumber() const override { return device_.pageNumber(); }
    double pageWidth() const override { return device_.pageWidth(); }
    double pageHeight() const override { return device_.pageHeight(); }
    double textWidth(const std::string& text) const override { return device_.textWidth(text); }

private:
    PageOutput& device_;
    const std::atomic<bool>& interrupt_;
    std::atomic<std::uint64_t>& pagesDone_;
};

} // namespace sestara
