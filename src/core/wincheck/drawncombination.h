#pragma once

#include <array>
#include <string>
#include <vector>

namespace sestara {

extern const char* const kMsgMassimo7;

// The drawn combination of a system window: up to seven numbers in list order, the first six the
// drawn numbers, the seventh (present only when seven are marked) the bonus number.
class DrawnCombination {
public:
    static constexpr int kMaxNumbers = 7;

    // What a click on a number did.
    enum class Click { Added, Removed, Refused };

    // A free number is appended; an eighth is refused and nothing changes. A marked number is
    // taken out and the rest of the list is sorted ascending.
    Click click(int number);
    // "Deseleziona".
    void clear();
    // "Colonna Casuale": the list becomes the six numbers in their order, with no bonus number.
    void setNumbers(const std::vector<int>& numbers);

    const std::vector<int>& numbers() const { return numbers_; }
    bool empty() const { return numbers_.empty(); }
    bool isMarked(int number) const;
    // The seventh number, 0 while fewer than seven are marked.
    int bonus() const;
    // Each number in decimal followed by one blank; empty when nothing is marked.
    std::string listText() const;

private:
    std::vector<int> numbers_;
};

// Six distinct numbers from 1 to 90 in drawing order, each the integer part of 90u + 1 for a
// uniform u in [0, 1); a column with a repeated number is drawn again whole. The generator is the
// program's one engine, never seeded, so each run of the program gives the same sequence.
std::array<int, 6> randomColumn();

} // namespace sestara
