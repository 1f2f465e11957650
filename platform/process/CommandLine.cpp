#include "platform/process/CommandLine.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return args;

    // The program name.
    std::string program;
    if (line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"') program.push_back(line[i++]);
        if (i < line.size()) ++i;  // the closing quote
    }
    while (i < line.size() && !IsBlank(line[i])) program.push_back(line[i++]);
    args.push_back(std::move(program));

    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            if (line[i] == '\\') {
                std::size_t n = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++n;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg.push_back('"');
                        ++i;
                    }
                    // with an even count the quote is handled below
                } else {
                    arg.append(n, '\\');
                }
                continue;
            }
            if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg.push_back('"');
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg.push_back(line[i++]);
        }
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace platform
