#include "core/systemfiles/savename.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace sestara;

TEST(SaveName, ExtensionAddedOnlyWhenMissing)
{
    struct Case {
        const char* typed;
        const char* saved;
        const char* caption;
    };
    const Case cases[] = {
        {"Sistema", "Sistema.sup", "Sistema"},
        {"Sistema.sup", "Sistema.sup", "Sistema"},
        {"Sistema.SUP", "Sistema.SUP", "Sistema"}, // any letter case is the extension
        {"Sistema.Sup", "Sistema.Sup", "Sistema"},
        {"Sistema.txt", "Sistema.txt.sup", "Sistema.txt"},
        {"Sistema.su", "Sistema.su.sup", "Sistema.su"},
        {"Sistema.sup.bak", "Sistema.sup.bak.sup", "Sistema.sup.bak"},
        {"Sistemasup", "Sistemasup.sup", "Sistemasup"},
        {"12 numeri.sup", "12 numeri.sup", "12 numeri"},
        {"sup", "sup.sup", "sup"},
        {".sup", ".sup", ""},
        {"Città", "Città.sup", "Città"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(hasSystemExtension(c.typed), std::string(c.typed) == c.saved);
        EXPECT_EQ(withSystemExtension(c.typed), c.saved);
        EXPECT_EQ(systemName(c.saved), c.caption);
    }
    EXPECT_EQ(systemName("Sistema.txt"), "Sistema.txt"); // a name without ".sup" stays whole
}

TEST(SaveName, NamesComparedWithoutLetterCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"Sistema.sup", "Sistema.sup", true},
        {"Sistema.sup", "SISTEMA.SUP", true},
        {"sistema.sup", "SiStEmA.sUp", true},
        {"Città.sup", "CITTÀ.SUP", true},   // à against À
        {"Perché.sup", "PERCHÉ.sup", true}, // é against É
        {"a×b.sup", "a÷b.sup", false},      // signs, not letters
        {"Sistema1.sup", "Sistema2.sup", false},
        {"Sistema.sup", "Sistema.sup ", false},
        {"Sistema.sup", "Sistem.sup", false},
        {"Sistema_.sup", "Sistema.sup", false},
        {"", "", true},
        {"[.sup", "{.sup", false}, // next to the letters in ASCII
        {"@.sup", "`.sup", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " | " + c.b);
        EXPECT_EQ(sameNameIgnoringCase(c.a, c.b), c.same);
        EXPECT_EQ(sameNameIgnoringCase(c.b, c.a), c.same);
    }
}

TEST(SaveName, ExistingFileOfTheSameName)
{
    struct Case {
        std::vector<std::string> folder;
        const char* name;
        std::optional<std::string> replaced;
    };
    const Case cases[] = {
        {{}, "Sistema.sup", std::nullopt},
        {{"Altro.sup", "Sistema.txt", "Sistema.sup.bak"}, "Sistema.sup", std::nullopt},
        {{"Altro.sup", "Sistema.sup"}, "Sistema.sup", "Sistema.sup"},
        {{"Altro.sup", "SISTEMA.SUP"}, "Sistema.sup", "SISTEMA.SUP"},
        {{"CITTÀ.sup"}, "città.sup", "CITTÀ.sup"},
        // The exact name wins over one differing in case; else the first in the folder's order.
        {{"SISTEMA.sup", "Sistema.sup"}, "Sistema.sup", "Sistema.sup"},
        {{"SISTEMA.sup", "sistema.SUP"}, "Sistema.sup", "SISTEMA.sup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(existingFileName(c.folder, c.name), c.replaced);
    }
}
