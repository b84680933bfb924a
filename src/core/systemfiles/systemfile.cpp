#include "systemfiles/systemfile.h"

#include "development/catalogue.h"
#include "development/storedsystems.h"
#include "util/text.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace sestara {

const char* const kMsgErroreCaricamento = "Errore nel caricamento sistema";

std::string systemFileText(const SavedSystem& s)
{
    const ConditionDisplay d = conditionDisplay(s.conditions);
    std::string out = "Sistema=" + s.entryText + "\r\nLista=";
    for (auto n : s.pronostico)
        out += std::to_string(n) + " ";
    out += "\r\n";
    auto joined = [](const std::vector<std::string>& entries, bool firstCharOnly) {
        std::string v;
        for (const auto& e : entries)
            if (!e.empty())
                v += (firstCharOnly ? e.substr(0, 1) : e) + "-";
        return v;
    };
    if (d.fisseVisible)
        out += "Presenze=" + joined(d.fisse, false) + "\r\n";
    if (d.pariDispariVisible)
        out += "PariDispari=" + joined(d.pariDispari, true) + "\r\n";
    if (d.consecutiviVisible)
        out += "Consecutivi=" + joined(d.consecutivi, false) + "\r\n";
    if (d.sommaVisible) {
        out += "Somma=";
        for (const auto& e : d.somma)
            out += e;
        out += "\r\n";
    }
    if (d.gruppiVisible) {
        out += "Gruppi\r\n";
        for (const Group& g : s.conditions.gruppi)
            out += g.numeri + "Punti" + std::to_string(g.puntiMin) + "-" + std::to_string(g.puntiMax) + "\r\n";
    }
    return out;
}

namespace {

enum class Key { None, Sistema, Lista, Presenze, PariDispari, Consecutivi, Somma, Gruppi };

struct KeyText {
    Key key;
    const char* text;
};

const KeyText kKeys[] = {
    {Key::Sistema, "Sistema="},         {Key::Lista, "Lista="},   {Key::Presenze, "Presenze="},
    {Key::PariDispari, "PariDispari="}, {Key::Consecutivi, "Consecutivi="}, {Key::Somma, "Somma="},
    {Key::Gruppi, "Gruppi"},
};

// The key the line starts with; the shortest matching start decides.
Key keyOf(std::string_view line, std::size_t& keyLength)
{
    for (std::size_t len = 1; len <= line.size(); ++len) {
        for (const auto& k : kKeys) {
            if (line.substr(0, len) == k.text) {
                keyLength = len;
                return k.key;
            }
        }
    }
    return Key::None;
}

std::string lineError(long lineNo, const std::string& reason)
{
    return "Riga " + std::to_string(lineNo) + ": " + reason;
}

// Reads "a-b-c-" the way the loader does: at each "-" the text collected before it is one value.
std::vector<std::int64_t> dashValues(std::string_view v)
{
    std::vector<std::int64_t> values;
    std::size_t start = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '-') {
            values.push_back(numericValue(v.substr(start, i - start)));
            start = i + 1;
        }
    }
    return values;
}

template <std::size_t N>
std::string readCounts(std::string_view v, std::array<bool, N>& slots, const char* what)
{
    for (std::int64_t k : dashValues(v)) {
        if (k < 0 || k >= static_cast<std::int64_t>(N))
            return std::string(what) + " " + std::to_string(k) + " fuori da 0 a " + std::to_string(N - 1);
        slots[static_cast<std::size_t>(k)] = true;
    }
    return "";
}

} // namespace

LoadOutcome readSystemFileText(const std::string& text)
{
    LoadOutcome out;
    LoadedSystem& s = out.system;
    // A fresh window: size 10, its first entry, nothing picked, every condition off and empty.
    s.entryText = catalogueEntriesForSize(s.size).front();
    s.conditions.azzeraConePari();
    s.conditions.azzeraGrupeFis();

    std::istringstream in(text);
    std::string raw;
    long lineNo = 0;
    bool inGroups = false;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string_view line = chompCr(raw);
        if (inGroups) {
            // Every line after "Gruppi" is a group line, whatever it starts with. Its number text is
            // kept as it stands: the groups test reads it slot by slot and ignores what comes before
            // the first "-".
            const std::size_t punti = line.find("Punti");
            const std::size_t dash = punti == std::string_view::npos ? punti : line.find('-', punti + 5);
            if (dash == std::string_view::npos) {
                out.error = lineError(lineNo, "gruppo senza \"Punti\" minimo-massimo");
                return out;
            }
            if (s.conditions.gruppi.size() >= static_cast<std::size_t>(kMaxGroups)) {
                out.error = lineError(lineNo, "più di " + std::to_string(kMaxGroups) + " gruppi");
                return out;
            }
            Group g;
            g.numeri = std::string(line.substr(0, punti));
            g.puntiMin = static_cast<int>(std::min<std::int64_t>(numericValue(line.substr(punti + 5, dash - punti - 5)), 99));
            g.puntiMax = static_cast<int>(std::min<std::int64_t>(numericValue(line.substr(dash + 1)), 99));
            s.conditions.gruppi.push_back(std::move(g));
            continue;
        }
        std::size_t keyLength = 0;
        const Key key = keyOf(line, keyLength);
        const std::string_view v = line.substr(keyLength);
        switch (key) {
        case Key::None:
            break;
        case Key::Sistema: {
            const std::int64_t size = numericValue(v.substr(0, 2));
            if (size < kMinPredictionSize || size > kMaxPredictionSize) {
                out.error = lineError(lineNo, "dimensione del sistema fuori da 10 a 55");
                return out;
            }
            s.size = static_cast<int>(size);
            const auto entries = catalogueEntriesForSize(s.size);
            s.selectedIndex = 0;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (entries[i] == v) {
                    s.selectedIndex = static_cast<int>(i);
                    break;
                }
            }
            s.entryText = entries[static_cast<std::size_t>(s.selectedIndex)];
            break;
        }
        case Key::Lista: {
            std::vector<int> numbers;
            for (auto token : splitAll(v, ' ')) {
                if (token.empty())
                    continue;
                const std::int64_t n = isDigits(token) && token.size() <= 2 ? numericValue(token) : 0;
                if (n < 1 || n > 90) {
                    out.error = lineError(lineNo, "il numero \"" + std::string(token) + "\" della lista non è da 1 a 90");
                    return out;
                }
                numbers.push_back(static_cast<int>(n));
            }
            if (numbers.size() > static_cast<std::size_t>(kMaxPredictionNumbers)) {
                out.error = lineError(lineNo, "più di 55 numeri nella lista");
                return out;
            }
            s.prediction = *Prediction::fromNumbers(numbers);
            s.conditions.sommaMin = s.prediction.sommaMinima();
            s.conditions.sommaMax = s.prediction.sommaMassima();
            break;
        }
        case Key::Presenze: {
            s.conditions.presenzeAttive = true;
            s.conditions.presenze.fill(0);
            const auto values = dashValues(v);
            if (values.size() > 90) {
                out.error = lineError(lineNo, "più di 90 numeri fissi");
                return out;
            }
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (values[i] < 1 || values[i] > 90) {
                    out.error = lineError(lineNo, "numero fisso " + std::to_string(values[i]) + " fuori da 1 a 90");
                    return out;
                }
                s.conditions.presenze[i + 1] = static_cast<int>(values[i]);
            }
            break;
        }
        case Key::PariDispari: {
            s.conditions.pariDispariAttivo = true;
            const std::string e = readCounts(v, s.conditions.pariDispari, "numero di pari");
            if (!e.empty()) {
                out.error = lineError(lineNo, e);
                return out;
            }
            break;
        }
        case Key::Consecutivi: {
            s.conditions.consecutiviAttivo = true;
            const std::string e = readCounts(v, s.conditions.consecutivi, "numero di consecutivi");
            if (!e.empty()) {
                out.error = lineError(lineNo, e);
                return out;
            }
            break;
        }
        case Key::Somma: {
            const std::size_t dash = v.find('-');
            if (dash == std::string_view::npos) {
                out.error = lineError(lineNo, "somma senza minimo - massimo");
                return out;
            }
            s.conditions.sommaAttiva = true;
            s.conditions.sommaMin = static_cast<int>(std::min<std::int64_t>(numericValue(v.substr(0, dash)), 1 << 20));
            s.conditions.sommaMax = static_cast<int>(std::min<std::int64_t>(numericValue(v.substr(dash + 1)), 1 << 20));
            break;
        }
        case Key::Gruppi:
            s.conditions.gruppiAttivi = true;
            inGroups = true;
            break;
        }
    }
    return out;
}

LoadOutcome readSystemFile(const std::string& path)
{
    std::string text;
    if (!readWholeFile(path, text)) {
        LoadOutcome out;
        out.error = "impossibile leggere il file " + path;
        return out;
    }
    return readSystemFileText(text);
}

bool writeSystemFile(const std::string& path, const SavedSystem& system, std::string& error)
{
    const std::string text = systemFileText(system);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "impossibile scrivere il file " + path;
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        error = "errore durante la scrittura del file " + path;
        return false;
    }
    return true;
}

} // namespace sestara
