#include "core/util/commandline.h"

#include "core/util/text.h"

#include <algorithm>

namespace sestara {

namespace {

bool isOneOf(const std::string& arg, const std::vector<std::string>& names)
{
    return std::find(names.begin(), names.end(), arg) != names.end();
}

} // namespace

CommandLineCheck checkCommandLine(const std::vector<std::string>& args, const CommandLineOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return {CommandLineRequest::Help, {}};
        if (arg == "--version" || arg == "-V")
            return {CommandLineRequest::Version, {}};
        if (arg.size() < 2 || arg[0] != '-')
            continue;
        if (isOneOf(arg, options.withValue)) {
            ++i;
            continue;
        }
        if (isOneOf(arg, options.known) || (options.longOnly && arg[1] != '-'))
            continue;
        return {CommandLineRequest::UnknownOption, arg};
    }
    return {};
}

CommandArguments splitCommandArguments(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                                       const std::vector<std::string>& withValue)
{
    CommandArguments out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            out.operands.insert(out.operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (isOneOf(arg, withValue)) {
            if (i + 1 == args.size()) {
                out.missingValue = true;
                break;
            }
            out.options.emplace_back(arg, args[i + 1]);
            ++i;
        } else if (isOneOf(arg, flags)) {
            out.options.emplace_back(arg, std::string());
        } else {
            out.operands.push_back(arg);
        }
    }
    return out;
}

std::string unknownOptionText(const std::string& program, const std::string& option)
{
    return program + ": opzione sconosciuta \"" + readableEcho(option) + "\". Usa --help";
}

} // namespace sestara
