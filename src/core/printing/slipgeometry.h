#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace sestara {

class Development;
struct Settings;

// A point on the betting slip, in centimetres from its top-left corner, y downwards.
struct SlipPoint {
    double x = 0;
    double y = 0;
};

constexpr double kSlipWidthCm = 8.4;
constexpr double kSlipHeightCm = 12.9;
constexpr int kSlipPanels = 5;
constexpr int kColumnsPerSlip = 5;
constexpr double kTwipsPerCm = 567;

// Where number n (1..90) of panel p (0..4) lies on the slip: 1..6 on the panel's first row from
// x 4.44, 7..90 in six rows of fourteen from x 0.45. Nothing for a number outside 1..90.
std::optional<SlipPoint> numberPosition(int number, int panel);

// The printer position of a mark, in twips from the printable area's corner: the slip position
// moved by the left and top margins (hundredths of a centimetre).
SlipPoint printerPosition(SlipPoint mark, const Settings& settings);

// Pen widths of a mark: on screen half the mark size in pixels, rounded half to even; on the
// printer three times the mark size in printer dots.
int screenPenPixels(int superPunto);
int printerPenDots(int superPunto);

// The marks of one slip window: up to 1000 recorded positions. Entries past the count are always
// zero; the marks up to the kept count survive each slip of a print of all slips. The marks a slip
// preview recorded come first, and a print of all slips leaves them out: it carries only the
// marks placed by hand.
class MarkList {
public:
    static constexpr int kCapacity = 1000;

    // Records a mark; false (nothing written) when the list is full.
    bool record(SlipPoint mark);
    int count() const { return count_; }
    int kept() const { return kept_; }
    const SlipPoint& at(int i) const { return marks_[static_cast<std::size_t>(i)]; } // 0-based
    // Every mark gone, the kept count too.
    void clear();
    // The marks recorded now are kept from here on.
    void keepCurrent();
    // Back to the kept marks; the later ones are zeroed.
    void clearToKept();
    // The marks recorded now are a slip's preview, not placed by hand.
    void markAsPreview() { previewed_ = count_; }
    int previewed() const { return previewed_; }
    // Only the marks placed by hand remain, in their order.
    void dropPreview();

private:
    void zeroFrom(int first);

    std::array<SlipPoint, kCapacity> marks_{};
    int count_ = 0;
    int kept_ = 0;
    int previewed_ = 0;
};

// Records the marks of slip `slip` (from 1): its columns in panels 0 to 4, each column's numbers in
// listing order. Stops when the list is full; false then.
bool recordSlip(MarkList& marks, const Development& development, std::uint64_t slip);

} // namespace sestara
