#include "core/development/development.h"

#include "core/util/text.h"

#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace sestara {
namespace {

// Decimal texts of 0..99, each followed by "-", four bytes a slot so one copy moves a number.
struct SmallNumbers {
    char text[100][4];
    std::uint8_t length[100]; // digits plus the dash
    SmallNumbers()
    {
        for (int v = 0; v < 100; ++v) {
            char* t = text[v];
            int n = 0;
            if (v >= 10)
                t[n++] = static_cast<char>('0' + v / 10);
            t[n++] = static_cast<char>('0' + v % 10);
            t[n++] = '-';
            while (n < 4)
                t[n++] = '\0';
            length[v] = static_cast<std::uint8_t>(v >= 10 ? 3 : 2);
        }
    }
};

const SmallNumbers& smallNumbers()
{
    static const SmallNumbers table;
    return table;
}

// Appends the six numbers joined by "-"; needs 4 bytes of room past the text it writes.
char* putNumbers(char* p, const std::uint8_t* six)
{
    const SmallNumbers& t = smallNumbers();
    for (int i = 0; i < 6; ++i) {
        unsigned v = six[i];
        if (v >= 100) { // never a lottery number, but a byte may hold it
            *p++ = static_cast<char>('0' + v / 100);
            v %= 100;
            *p++ = static_cast<char>('0' + v / 10);
            *p++ = static_cast<char>('0' + v % 10);
            *p++ = '-';
            continue;
        }
        std::memcpy(p, t.text[v], 4);
        p += t.length[v];
    }
    return p - 1; // drop the last dash
}

// A decimal counter kept as text, so each next line number costs a few character steps.
class LineCounter {
public:
    LineCounter() { digits_[kMax - 1] = '0'; start_ = kMax - 1; }
    void increment()
    {
        int i = kMax - 1;
        while (true) {
            if (digits_[i] != '9') {
                ++digits_[i];
                break;
            }
            digits_[i] = '0';
            if (i == start_) {
                digits_[--start_] = '1';
                break;
            }
            --i;
        }
    }
    char* put(char* p) const
    {
        const int n = kMax - start_;
        std::memcpy(p, digits_ + start_, static_cast<std::size_t>(n));
        return p + n;
    }

private:
    static constexpr int kMax = 24;
    char digits_[kMax] = {};
    int start_;
};

} // namespace

#ifdef __linux__
// Blocks are mapped with their pages filled in one step: a large development otherwise spends more
// time taking page faults than producing columns.
Development::Block Development::newBlock()
{
    constexpr std::size_t bytes = kBlockColumns * 6;
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return Block(static_cast<std::uint8_t*>(p));
}

void Development::BlockRelease::operator()(std::uint8_t* block) const
{
    munmap(block, kBlockColumns * 6);
}
#else
Development::Block Development::newBlock()
{
    return Block(new std::uint8_t[kBlockColumns * 6]);
}

void Development::BlockRelease::operator()(std::uint8_t* block) const
{
    delete[] block;
}
#endif

void Development::clear()
{
    blocks_.clear();
    count_ = 0;
}

Column Development::column(std::size_t k) const
{
    Column c;
    const std::uint8_t* src = data(k);
    for (int i = 0; i < 6; ++i)
        c[i] = src[i];
    return c;
}

void appendListingLine(std::string& out, std::size_t number, const std::uint8_t* six)
{
    appendDecimal(out, number);
    out += "\t>   ";
    char buf[32];
    char* end = putNumbers(buf, six);
    out.append(buf, static_cast<std::size_t>(end - buf));
}

std::string listingLine(std::size_t number, const Column& column)
{
    std::string line;
    appendListingLine(line, number, column.data());
    return line;
}

void writeListing(std::ostream& out, const Development& development)
{
    constexpr std::size_t kBuffer = 1u << 20;
    std::unique_ptr<char[]> buffer(new char[kBuffer + 64]);
    char* p = buffer.get();
    LineCounter counter;
    for (std::size_t k = 0; k < development.size(); ++k) {
        counter.increment();
        p = counter.put(p);
        std::memcpy(p, "\t>   ", 5);
        p = putNumbers(p + 5, development.data(k));
        *p++ = '\r';
        *p++ = '\n';
        if (static_cast<std::size_t>(p - buffer.get()) >= kBuffer) {
            out.write(buffer.get(), p - buffer.get());
            p = buffer.get();
        }
    }
    out.write(buffer.get(), p - buffer.get());
}

std::string listingText(const Development& development)
{
    std::string text;
    for (std::size_t k = 0; k < development.size(); ++k) {
        appendListingLine(text, k + 1, development.data(k));
        text += "\r\n";
    }
    return text;
}

} // namespace sestara
