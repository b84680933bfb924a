#include "core/systemfiles/savename.h"

#include <cstddef>

namespace sestara {

const char* const kSystemExtension = ".sup";

namespace {

constexpr std::size_t kExtensionLength = 4;

// The name with its letters in lower case: ASCII, and the two-byte UTF-8 letters U+00C0..U+00DE
// (except U+00D7, the multiplication sign) moved to U+00E0..U+00FE.
std::string folded(std::string_view name)
{
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

bool hasSystemExtension(std::string_view fileName)
{
    return fileName.size() >= kExtensionLength &&
           folded(fileName.substr(fileName.size() - kExtensionLength)) == kSystemExtension;
}

std::string withSystemExtension(std::string_view fileName)
{
    std::string name(fileName);
    if (!hasSystemExtension(fileName))
        name += kSystemExtension;
    return name;
}

std::string systemName(std::string_view fileName)
{
    if (!hasSystemExtension(fileName))
        return std::string(fileName);
    return std::string(fileName.substr(0, fileName.size() - kExtensionLength));
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && folded(a) == folded(b);
}

std::optional<std::string> existingFileName(const std::vector<std::string>& namesInFolder,
                                            std::string_view fileName)
{
    std::optional<std::string> differingInCase;
    for (const std::string& name : namesInFolder) {
        if (name == fileName)
            return name;
        if (!differingInCase && sameNameIgnoringCase(name, fileName))
            differingInCase = name;
    }
    return differingInCase;
}

std::string saveNameProblem(std::string_view fileName)
{
    const std::string name = withSystemExtension(fileName);
    if (systemName(name).empty())
        return "Nome di file non valido: manca il nome del sistema prima di \".sup\"";
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "Nome di file non valido: contiene caratteri di controllo";
    return "";
}

} // namespace sestara
