// Runs a fuzz target over saved inputs: every file named on the command
// line, and every file of every folder named on it. Used where libFuzzer
// is not linked, so the seed and crash inputs stay checked by every build.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/file/Folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int RunFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int failures = 0, count = 0;
    for (int i = 1; i < argc; ++i) {
        const platform::file::PathKind kind = platform::file::KindOf(argv[i]);
        if (kind == platform::file::PathKind::Missing) continue;  // a target without seeds has nothing to replay
        if (kind == platform::file::PathKind::Folder) {
            std::vector<std::string> names;
            platform::file::ListFolder(argv[i], names, platform::file::Entries::All, platform::file::Order::Name);
            for (const std::string& name : names) {
                if (name[0] == '.') continue;
                failures += RunFile(std::string(argv[i]) + "/" + name);
                ++count;
            }
        } else {
            failures += RunFile(argv[i]);
            ++count;
        }
    }
    // An empty input is always worth one run.
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(""), 0);
    std::printf("replayed %d inputs\n", count);
    return failures == 0 ? 0 : 1;
}
