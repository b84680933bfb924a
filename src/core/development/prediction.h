#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sestara {

constexpr int kMaxPredictionNumbers = 55;

// The numbers a player has picked, kept ascending. It is a set when built by selecting numbers; a
// prediction text read from a system file may repeat a number, which the run's check then refuses.
class Prediction {
public:
    Prediction() = default;

    bool isSelected(int number) const;
    // Adds a free number; false (and nothing changes) when 55 are already picked or out of 1..90.
    bool select(int number);
    // Removes every occurrence of the number.
    void deselect(int number);
    void clear();

    // The prediction text: each number followed by one blank, ascending; empty when nothing is picked.
    std::string text() const;
    int count() const { return static_cast<int>(numbers_.size()); }
    int evenCount() const;
    int oddCount() const { return count() - evenCount(); }
    // "e - o", or "0 - 0" for an empty prediction.
    std::string evenOddText() const;
    // Sum of the six smallest and of the six largest numbers (the bounds of the sum condition).
    int sommaMinima() const;
    int sommaMassima() const;

    const std::vector<std::uint8_t>& numbers() const { return numbers_; }

    // Builds the prediction from numbers in any order (repeats kept); numbers must be 1..90 and at
    // most 55 of them, otherwise nullopt.
    static std::optional<Prediction> fromNumbers(const std::vector<int>& numbers);

private:
    std::vector<std::uint8_t> numbers_;
};

// Numbers as the prediction text shows them: each followed by one blank.
std::string predictionText(const std::vector<std::uint8_t>& numbers);

// Outcome of reading the prediction before a run: the numbers by position, or the refusal text.
struct VerifiedPrediction {
    std::vector<std::uint8_t> pronostico; // ascending, positions 1..N are indices 0..N-1
    std::string error;                    // non-empty when a number is repeated
};

VerifiedPrediction verificaElementi(const Prediction& prediction);

// The number of six-number combinations of n numbers, exactly: 0 below 6, 1 for 6.
std::uint64_t combinazioniIntegrali(int n);

extern const char* const kMsgDatiNonConformi;
extern const char* const kMsgMassimo55;

} // namespace sestara
