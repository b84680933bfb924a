#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace sestara {

// Six numbers in the order the developer listed them.
using Column = std::array<std::uint8_t, 6>;

// The accepted columns of one development, six bytes a column in fixed-size blocks, so growing
// never copies and never holds more than one partly filled block.
class Development {
public:
    static constexpr std::size_t kBlockColumns = 1u << 16;

    Development() = default;
    Development(Development&&) noexcept = default;
    Development& operator=(Development&&) noexcept = default;
    Development(const Development&) = delete;
    Development& operator=(const Development&) = delete;

    void append(const Column& column)
    {
        if (count_ % kBlockColumns == 0)
            blocks_.push_back(newBlock());
        std::uint8_t* dst = blocks_.back().get() + (count_ % kBlockColumns) * 6;
        for (int i = 0; i < 6; ++i)
            dst[i] = column[i];
        ++count_;
    }
    void append(const std::uint8_t* six)
    {
        Column c;
        for (int i = 0; i < 6; ++i)
            c[i] = six[i];
        append(c);
    }

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    void clear();

    // Column k, 0-based.
    Column column(std::size_t k) const;
    const std::uint8_t* data(std::size_t k) const
    {
        return blocks_[k / kBlockColumns].get() + (k % kBlockColumns) * 6;
    }

    // Bytes held by the columns.
    std::size_t memoryBytes() const { return blocks_.size() * kBlockColumns * 6; }

private:
    struct BlockRelease {
        void operator()(std::uint8_t* block) const;
    };
    using Block = std::unique_ptr<std::uint8_t[], BlockRelease>;
    static Block newBlock();

    std::vector<Block> blocks_;
    std::size_t count_ = 0;
};

// The listing line of column number k (from 1): k, TAB, ">   ", the numbers joined by "-".
// No line end.
std::string listingLine(std::size_t number, const Column& column);
void appendListingLine(std::string& out, std::size_t number, const std::uint8_t* six);

// The whole listing, every line ended by CR LF.
void writeListing(std::ostream& out, const Development& development);
std::string listingText(const Development& development);

} // namespace sestara
