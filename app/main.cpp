// Ferrywise for Outlook: copies contacts, calendar events, tasks and notes
// from Palm Desktop, a Google account, ACT! or Lotus Notes into Outlook.
#include <cstdio>
#include <cstring>

namespace {

void PrintUsage() {
    std::printf(
        "Usage: ferrywise [--version] [--help]\n"
        "\n"
        "  --version   print the program's version\n"
        "  --help      print this text\n");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Ferrywise for Outlook %s\n", FW_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage();
            return 0;
        }
        std::fprintf(stderr, "ferrywise: unknown option '%s'\n", argv[i]);
        PrintUsage();
        return 2;
    }
    PrintUsage();
    return 0;
}
