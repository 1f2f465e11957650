// Ferrywise for Outlook: copies contacts, calendar events, tasks and notes
// from Palm Desktop, a Google account, ACT! or Lotus Notes into Outlook.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/BatchMode.h"
#include "platform/waitwindow/DesktopWaitWindow.h"

namespace {

void PrintUsage() {
    std::printf(
        "Usage: ferrywise --batch [options]   migrate without windows (--batch --help tells more)\n"
        "       ferrywise --version           print the program's version\n"
        "       ferrywise --help              print this text\n");
}

}  // namespace

int main(int argc, char** argv) {
    platform::InstallDesktopWaitWindow();
    if (argc > 1 && std::strcmp(argv[1], "--batch") == 0) {
        BatchOptions options;
        std::string error;
        if (!ParseBatchOptions(std::vector<std::string>(argv + 2, argv + argc), options, error)) {
            std::fprintf(stderr, "ferrywise: %s\n\n%s", error.c_str(), BatchUsage());
            return 2;
        }
        if (options.help) {
            std::fputs(BatchUsage(), stdout);
            return 0;
        }
        return RunBatch(options, stdout);
    }
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
