#include "core/systemfiles/savename.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace sestara;

TEST(SaveName, ExtensionAddedOnlyWhenMissing)
{
    // As typed, as saved, and the caption of the saved name.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"Sistema", "Sistema.sup", "Sistema"},
        {"Sistema.sup", "Sistema.sup", "Sistema"},
        {"Sistema.SUP", "Sistema.SUP", "Sistema"}, // any letter case is the extension
        {"Sistema.txt", "Sistema.txt.sup", "Sistema.txt"},
        {"Sistema.sup.bak", "Sistema.sup.bak.sup", "Sistema.sup.bak"},
        {"Sistemasup", "Sistemasup.sup", "Sistemasup"},
        {"sup", "sup.sup", "sup"},
        {".sup", ".sup", ""},
        {"Città", "Città.sup", "Città"},
    };
    for (const auto& [typed, saved, caption] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(hasSystemExtension(typed), typed == saved);
        EXPECT_EQ(withSystemExtension(typed), saved);
        EXPECT_EQ(systemName(saved), caption);
    }
    EXPECT_EQ(systemName("Sistema.txt"), "Sistema.txt"); // a name without ".sup" stays whole
}

TEST(SaveName, NamesComparedWithoutLetterCase)
{
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"zona.sup", "ZONA.SUP", true},
        {"Città.sup", "CITTÀ.SUP", true}, // à against À, the first letter of the range
        {"þ.sup", "Þ.SUP", true},         // the last one
        {"a×b.sup", "a÷b.sup", false},    // signs, not letters
        {"Sistema1.sup", "Sistema2.sup", false},
        {"Sistema.sup", "Sistem.sup", false},
        {"", "", true},
        {"[.sup", "{.sup", false}, // next to the letters in ASCII
        {"@.sup", "`.sup", false},
    };
    for (const auto& [a, b, same] : cases) {
        SCOPED_TRACE(a + " | " + b);
        EXPECT_EQ(sameNameIgnoringCase(a, b), same);
        EXPECT_EQ(sameNameIgnoringCase(b, a), same);
    }
}

TEST(SaveName, ExistingFileOfTheSameName)
{
    using Folder = std::vector<std::string>;
    const std::tuple<Folder, std::string, std::optional<std::string>> cases[] = {
        {{}, "Sistema.sup", std::nullopt},
        {{"Altro.sup", "Sistema.txt", "Sistema.sup.bak"}, "Sistema.sup", std::nullopt},
        {{"Altro.sup", "Sistema.sup"}, "Sistema.sup", "Sistema.sup"},
        {{"Altro.sup", "SISTEMA.SUP"}, "Sistema.sup", "SISTEMA.SUP"},
        {{"CITTÀ.sup"}, "città.sup", "CITTÀ.sup"},
        // The exact name wins over one differing in case; else the first in the folder's order.
        {{"SISTEMA.sup", "Sistema.sup"}, "Sistema.sup", "Sistema.sup"},
        {{"SISTEMA.sup", "sistema.SUP"}, "Sistema.sup", "SISTEMA.sup"},
    };
    for (const auto& [folder, name, replaced] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(existingFileName(folder, name), replaced);
    }
}

TEST(SaveName, ANameWithoutSystemNameOrWithControlCharactersIsRefused)
{
    const struct {
        const char* typed;
        bool refused;
    } rows[] = {{"Dieci", false}, {"Dieci.sup", false}, {"dieci 2 è.SUP", false}, {".sup", true},
                {".SUP", true},   {"", true},           {"a\tb", true},         {"riga\n.sup", true},
                {"x\x7f", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(!saveNameProblem(row.typed).empty(), row.refused);
    }
}
