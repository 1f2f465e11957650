// Runs a fuzz target over saved inputs: every file named on the command
// line, and every file of every folder named on it. Used where libFuzzer
// is not linked, so the seed and crash inputs stay checked by every build.
#include <dirent.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
        struct stat st {};
        if (::stat(argv[i], &st) != 0) continue;  // a target without seeds has nothing to replay
        if (S_ISDIR(st.st_mode)) {
            if (DIR* dir = ::opendir(argv[i])) {
                while (const dirent* e = ::readdir(dir)) {
                    if (e->d_name[0] == '.') continue;
                    failures += RunFile(std::string(argv[i]) + "/" + e->d_name);
                    ++count;
                }
                ::closedir(dir);
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
