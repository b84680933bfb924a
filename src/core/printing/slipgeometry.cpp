#include "core/printing/slipgeometry.h"

#include "core/development/development.h"
#include "core/settings/settings.h"

#include <algorithm>
#include <cmath>

namespace sestara {

namespace {
constexpr double kFirstRowTop = 2.3;
constexpr double kRowPitch = 0.297;
constexpr double kPanelPitch = 2.12;
constexpr double kColumnPitch = 0.497;
constexpr double kRowLeft = 0.45;
constexpr double kFirstSixLeft = 4.44;
constexpr int kRowLength = 14;
} // namespace

std::optional<SlipPoint> numberPosition(int number, int panel)
{
    if (number < 1 || number > 90)
        return std::nullopt;
    // The y first and then the x, each written as the placing routines compute it, so the
    // doubles come out the same to the last bit.
    SlipPoint p;
    if (number <= 6) {
        p.y = panel * kPanelPitch + kFirstRowTop;
        p.x = (number - 1) * kColumnPitch + kFirstSixLeft;
        return p;
    }
    const int row = (number - 7) / kRowLength + 1;
    const int rowStart = 7 + (row - 1) * kRowLength;
    p.y = row * kRowPitch + kFirstRowTop + panel * kPanelPitch;
    p.x = (number - rowStart) * kColumnPitch + kRowLeft;
    return p;
}

SlipPoint printerPosition(SlipPoint mark, const Settings& settings)
{
    return {mark.x * kTwipsPerCm + settings.margine2sin / 100.0 * kTwipsPerCm,
            mark.y * kTwipsPerCm + settings.margine2sup / 100.0 * kTwipsPerCm};
}

int screenPenPixels(int superPunto)
{
    return static_cast<int>(std::nearbyint(superPunto / 2.0)); // the default rounding is to even
}

int printerPenDots(int superPunto)
{
    return 3 * superPunto;
}

bool MarkList::record(SlipPoint mark)
{
    if (count_ >= kCapacity)
        return false;
    marks_[static_cast<std::size_t>(count_++)] = mark;
    return true;
}

void MarkList::clear()
{
    zeroFrom(0);
    kept_ = 0;
    previewed_ = 0;
}

void MarkList::dropPreview()
{
    const auto first = marks_.begin() + previewed_;
    std::copy(first, marks_.begin() + count_, marks_.begin());
    const int hand = count_ - previewed_;
    zeroFrom(hand);
    kept_ = std::max(0, kept_ - previewed_);
    previewed_ = 0;
}

void MarkList::keepCurrent()
{
    kept_ = count_;
}

void MarkList::clearToKept()
{
    zeroFrom(kept_);
}

void MarkList::zeroFrom(int first)
{
    for (int i = first; i < count_; ++i)
        marks_[static_cast<std::size_t>(i)] = SlipPoint{};
    count_ = first;
}

bool recordSlip(MarkList& marks, const Development& development, std::uint64_t slip)
{
    if (slip == 0)
        return true;
    const std::uint64_t first = (slip - 1) * kColumnsPerSlip;
    for (int panel = 0; panel < kSlipPanels && first + static_cast<std::uint64_t>(panel) < development.size(); ++panel) {
        const std::uint8_t* six = development.data(static_cast<std::size_t>(first) + static_cast<std::size_t>(panel));
        for (int i = 0; i < 6; ++i) {
            if (const auto p = numberPosition(six[i], panel)) {
                if (!marks.record(*p))
                    return false;
            }
        }
    }
    return true;
}

} // namespace sestara
