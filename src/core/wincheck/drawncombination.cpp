#include "core/wincheck/drawncombination.h"

#include <algorithm>
#include <random>

namespace sestara {

const char* const kMsgMassimo7 = "Inserire massimo 7 elementi";

DrawnCombination::Click DrawnCombination::click(int number)
{
    const auto found = std::find(numbers_.begin(), numbers_.end(), number);
    if (found == numbers_.end()) {
        if (numbers_.size() >= static_cast<std::size_t>(kMaxNumbers))
            return Click::Refused;
        numbers_.push_back(number);
        return Click::Added;
    }
    numbers_.erase(found);
    std::sort(numbers_.begin(), numbers_.end());
    return Click::Removed;
}

void DrawnCombination::clear()
{
    numbers_.clear();
}

void DrawnCombination::setNumbers(const std::vector<int>& numbers)
{
    numbers_ = numbers;
}

bool DrawnCombination::isMarked(int number) const
{
    return std::find(numbers_.begin(), numbers_.end(), number) != numbers_.end();
}

int DrawnCombination::bonus() const
{
    return numbers_.size() == static_cast<std::size_t>(kMaxNumbers) ? numbers_.back() : 0;
}

std::string DrawnCombination::listText() const
{
    std::string text;
    for (int n : numbers_)
        text += std::to_string(n) + ' ';
    return text;
}

std::array<int, 6> randomColumn()
{
    // Default-constructed: the same sequence on every start of the program.
    static std::mt19937 engine;
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::array<int, 6> column{};
    for (;;) {
        // The distribution may round up to 1.0 itself; 90 stays the highest number.
        for (int& n : column)
            n = std::min(90, static_cast<int>(90.0 * uniform(engine)) + 1);
        std::array<int, 6> sorted = column;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end())
            return column;
    }
}

} // namespace sestara
