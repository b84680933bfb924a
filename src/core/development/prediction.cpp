#include "core/development/prediction.h"

#include <algorithm>

namespace sestara {

const char* const kMsgDatiNonConformi = "I dati non sono conformi !\nverificare elementi inseriti";
const char* const kMsgMassimo55 = "Inserire massimo 55 elementi";

bool Prediction::isSelected(int number) const
{
    return std::find(numbers_.begin(), numbers_.end(), number) != numbers_.end();
}

bool Prediction::select(int number)
{
    if (number < 1 || number > 90 || count() >= kMaxPredictionNumbers || isSelected(number))
        return false;
    numbers_.insert(std::upper_bound(numbers_.begin(), numbers_.end(), number),
                    static_cast<std::uint8_t>(number));
    return true;
}

void Prediction::deselect(int number)
{
    numbers_.erase(std::remove(numbers_.begin(), numbers_.end(), number), numbers_.end());
}

void Prediction::clear()
{
    numbers_.clear();
}

std::string predictionText(const std::vector<std::uint8_t>& numbers)
{
    std::string s;
    for (auto n : numbers) {
        s += std::to_string(n);
        s += ' ';
    }
    return s;
}

std::string Prediction::text() const
{
    return predictionText(numbers_);
}

int Prediction::evenCount() const
{
    return static_cast<int>(std::count_if(numbers_.begin(), numbers_.end(), [](int n) { return n % 2 == 0; }));
}

std::string Prediction::evenOddText() const
{
    if (numbers_.empty())
        return "0 - 0";
    return std::to_string(evenCount()) + " - " + std::to_string(oddCount());
}

int Prediction::sommaMinima() const
{
    int sum = 0;
    for (std::size_t p = 0; p < numbers_.size() && p < 6; ++p)
        sum += numbers_[p];
    return sum;
}

int Prediction::sommaMassima() const
{
    int sum = 0;
    const std::size_t n = numbers_.size();
    for (std::size_t p = n > 6 ? n - 6 : 0; p < n; ++p)
        sum += numbers_[p];
    return sum;
}

std::optional<Prediction> Prediction::fromNumbers(const std::vector<int>& numbers)
{
    if (numbers.size() > static_cast<std::size_t>(kMaxPredictionNumbers))
        return std::nullopt;
    Prediction p;
    for (int n : numbers) {
        if (n < 1 || n > 90)
            return std::nullopt;
        p.numbers_.push_back(static_cast<std::uint8_t>(n));
    }
    std::sort(p.numbers_.begin(), p.numbers_.end());
    return p;
}

VerifiedPrediction verificaElementi(const Prediction& prediction)
{
    VerifiedPrediction result;
    const auto& n = prediction.numbers();
    if (std::adjacent_find(n.begin(), n.end()) != n.end()) {
        result.error = kMsgDatiNonConformi;
        return result;
    }
    result.pronostico = n;
    return result;
}

std::uint64_t combinazioniIntegrali(int n)
{
    if (n < 6)
        return 0;
    // C(n, 6) built as a running product of binomials, exact for every n this program can meet.
    std::uint64_t c = 1;
    for (int i = 1; i <= 6; ++i)
        c = c * static_cast<std::uint64_t>(n - 6 + i) / static_cast<std::uint64_t>(i);
    return c;
}

} // namespace sestara
