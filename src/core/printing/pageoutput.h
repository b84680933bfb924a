#pragma once

#include <cstdint>
#include <string>

namespace sestara {

// A font as the printed pages ask for it; the output resolves the family on its device.
struct PageFont {
    std::string family;
    int pointSize = 10;
    bool bold = false;
    std::uint32_t rgb = 0x000000; // 0xRRGGBB
    bool fixedPitch = false;      // where the family is missing, the device's fixed font stands in

    bool operator==(const PageFont& o) const
    {
        return family == o.family && pointSize == o.pointSize && bold == o.bold && rgb == o.rgb &&
               fixedPitch == o.fixedPitch;
    }
};

// One print job seen as a stack of pages. Positions are in twips from the top-left corner of the
// printable area; a text's position is the top-left of its line.
class PageOutput {
public:
    virtual ~PageOutput() = default;

    virtual void setFont(const PageFont& font) = 0;
    virtual void text(double x, double y, const std::string& text) = 0;
    // A filled black dot centred on the point, as wide as a pen of `penDots` printer dots.
    virtual void dot(double x, double y, int penDots) = 0;
    // Ends the current page and starts the next one; false when the device refused.
    virtual bool newPage() = 0;
    // Ends the job and sends it; false when the device refused.
    virtual bool end() = 0;
    // Throws the job away.
    virtual void abort() = 0;
    // The current page of the job, from 1.
    virtual int pageNumber() const = 0;

    // The printable area of a page, in twips; 0 where the device sets no bound.
    virtual double pageWidth() const { return 0; }
    virtual double pageHeight() const { return 0; }
    // How wide `text` prints in the current font, in twips; 0 where the device cannot tell.
    virtual double textWidth(const std::string& /*text*/) const { return 0; }
};

} // namespace sestara
