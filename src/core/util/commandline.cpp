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

std::string unknownOptionText(const std::string& program, const std::string& option)
{
    return program + ": opzione sconosciuta \"" + readableEcho(option) + "\". Usa --help";
}

} // namespace sestara
