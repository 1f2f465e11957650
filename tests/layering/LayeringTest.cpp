// The layers of the tree, checked on its sources: the core (common/) and
// the wizard (app/) reach the operating system, X11, cairo, libical and
// libmdb only through platform/, and no layer includes one above it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The headers of the C++ standard library and of standard C.
const std::set<std::string, std::less<>>& StandardHeaders() {
    static const std::set<std::string, std::less<>> names = {
        "algorithm", "any", "array", "atomic", "barrier", "bit", "bitset", "cassert", "cctype", "cerrno", "cfenv",
        "cfloat", "charconv", "chrono", "cinttypes", "climits", "clocale", "cmath", "codecvt", "compare", "complex",
        "concepts", "condition_variable", "coroutine", "csetjmp", "csignal", "cstdarg", "cstddef", "cstdint", "cstdio",
        "cstdlib", "cstring", "ctime", "cuchar", "cwchar", "cwctype", "deque", "exception", "execution", "expected",
        "filesystem", "format", "forward_list", "fstream", "functional", "future", "initializer_list", "iomanip", "ios",
        "iosfwd", "iostream", "istream", "iterator", "latch", "limits", "list", "locale", "map", "memory",
        "memory_resource", "mutex", "new", "numbers", "numeric", "optional", "ostream", "print", "queue", "random",
        "ranges", "ratio", "regex", "scoped_allocator", "semaphore", "set", "shared_mutex", "source_location", "span",
        "sstream", "stack", "stdexcept", "stop_token", "streambuf", "string", "string_view", "syncstream",
        "system_error", "thread", "tuple", "type_traits", "typeindex", "typeinfo", "unordered_map", "unordered_set",
        "utility", "valarray", "variant", "vector", "version",
        // Standard C; not signal.h or threads.h, whose users here would mean
        // POSIX signals and threads (<csignal> and <thread> are the ways in).
        "assert.h", "ctype.h", "errno.h", "float.h", "inttypes.h", "limits.h", "locale.h", "math.h", "stdarg.h",
        "stdbool.h", "stddef.h", "stdint.h", "stdio.h", "stdlib.h", "string.h", "time.h", "wchar.h", "wctype.h"};
    return names;
}

bool IsQt(const std::string& header) { return !header.empty() && header[0] == 'Q'; }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Why a file of `layer` ("common", "app", "platform") may not include
// `header`; empty when it may.
std::string Refusal(const std::string& layer, const std::string& header) {
    const bool own = StartsWith(header, "common/") || StartsWith(header, "app/") || StartsWith(header, "platform/");
    if (layer == "platform") {
        if (StartsWith(header, "common/") || StartsWith(header, "app/")) return "platform/ builds on no layer above it";
        return {};
    }
    if (layer == "common" && StartsWith(header, "app/")) return "common/ does not know the wizard";
    if (own || StandardHeaders().count(header) > 0 || (layer == "app" && IsQt(header))) return {};
    return "not a standard header: the system, X11, cairo, libical and libmdb are reached through platform/";
}

struct Violation {
    std::string file;  // relative to the root
    int line = 0;
    std::string header;
    std::string why;
};

std::vector<Violation> CheckTree(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Violation> found;
    for (const char* layer : {"common", "app", "platform"}) {
        if (!fs::is_directory(root / layer)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / layer)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".c")) continue;
            std::ifstream in(entry.path());
            std::string text;
            int number = 0;
            while (std::getline(in, text)) {
                ++number;
                std::smatch m;
                if (!std::regex_search(text, m, include)) continue;
                const std::string why = Refusal(layer, m[2].str());
                if (!why.empty())
                    found.push_back({fs::relative(entry.path(), root).generic_string(), number, m[2].str(), why});
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const Violation& a, const Violation& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    return found;
}

std::string Describe(const std::vector<Violation>& found) {
    std::string out;
    for (const Violation& v : found)
        out += v.file + ":" + std::to_string(v.line) + ": includes <" + v.header + ">: " + v.why + "\n";
    return out;
}

}  // namespace

TEST(Layering, CoreAndWizardReachTheSystemOnlyThroughThePlatformLayer) {
    const char* source = std::getenv("FW_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "FW_SOURCE_DIR names the source tree";
    ASSERT_TRUE(fs::is_directory(fs::path(source) / "common")) << source;
    const std::vector<Violation> found = CheckTree(source);
    EXPECT_TRUE(found.empty()) << Describe(found);
}

TEST(Layering, TheCheckFindsEachKindOfLeakAndPassesWhatIsAllowed) {
    fwtest::TempDir dir;
    const fs::path root = dir.Path();
    for (const char* folder : {"common/misc", "app", "platform/file"}) fs::create_directories(root / folder);
    fwtest::WriteFile((root / "common/misc/Ok.cpp").string(),
                      "#include \"common/misc/Ok.h\"\n#include <filesystem>\n#include <cerrno>\n"
                      "#include \"platform/file/Folder.h\"\n#include <stdint.h>\n");
    fwtest::WriteFile((root / "common/misc/Leak.cpp").string(),
                      "// #include <unistd.h> in a comment line is no include\n"
                      "#include <vector>\n#include <sys/stat.h>\n  #  include <X11/Xlib.h>\n#include <cairo.h>\n"
                      "#include <libical/ical.h>\n#include <mdbtools.h>\n#include <strings.h>\n"
                      "#include \"app/AppCommon.h\"\n#include <QString>\n#include <signal.h>\n");
    fwtest::WriteFile((root / "app/Ok.cpp").string(), "#include <QWidget>\n#include \"common/misc/Ok.h\"\n");
    fwtest::WriteFile((root / "app/Leak.h").string(), "#pragma once\n#include <dlfcn.h>\n");
    fwtest::WriteFile((root / "platform/file/Fine.cpp").string(), "#include <dirent.h>\n#include <cairo.h>\n");
    fwtest::WriteFile((root / "platform/file/Up.cpp").string(),
                      "#include \"platform/file/Fine.h\"\n#include \"common/misc/CxFile.h\"\n#include \"app/X.h\"\n");
    fwtest::WriteFile((root / "common/misc/Notes.txt").string(), "#include <unistd.h>\n");

    std::vector<std::string> got;
    for (const Violation& v : CheckTree(root)) got.push_back(v.file + ":" + std::to_string(v.line) + " " + v.header);
    const std::vector<std::string> want = {
        "app/Leak.h:2 dlfcn.h",
        "common/misc/Leak.cpp:3 sys/stat.h",
        "common/misc/Leak.cpp:4 X11/Xlib.h",
        "common/misc/Leak.cpp:5 cairo.h",
        "common/misc/Leak.cpp:6 libical/ical.h",
        "common/misc/Leak.cpp:7 mdbtools.h",
        "common/misc/Leak.cpp:8 strings.h",
        "common/misc/Leak.cpp:9 app/AppCommon.h",
        "common/misc/Leak.cpp:10 QString",
        "common/misc/Leak.cpp:11 signal.h",
        "platform/file/Up.cpp:2 common/misc/CxFile.h",
        "platform/file/Up.cpp:3 app/X.h",
    };
    EXPECT_EQ(got, want);
}
