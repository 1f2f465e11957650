// Ferrywise for Outlook: copies contacts, calendar events, tasks and notes
// from Palm Desktop, a Google account, ACT! or Lotus Notes into Outlook.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/BatchMode.h"
#include "app/wizard/WizardApplication.h"
#include "platform/memory/Heap.h"
#include "platform/process/Environment.h"
#include "platform/waitwindow/DesktopWaitWindow.h"

namespace {

void PrintUsage() {
    std::printf(
        "Usage: ferrywise [--store DIR]       open the wizard (DIR: the Outlook store folder)\n"
        "       ferrywise --batch [options]   migrate without windows (--batch --help tells more)\n"
        "       ferrywise --version           print the program's version\n"
        "       ferrywise --help              print this text\n");
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt would abort without a display; say so, and how to migrate without one.
bool HaveDisplay() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM"); }

}  // namespace

int main(int argc, char** argv) {
    platform::memory::KeepFreedHeap();
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
        if (std::strcmp(argv[i], "--store") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                std::fprintf(stderr, "ferrywise: option --store needs a folder\n");
                PrintUsage();
                return 2;
            }
            platform::SetEnvironmentValue("FRWY_OUTLOOK_STORE", argv[++i]);
            continue;
        }
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
    if (!HaveDisplay()) {
        std::fprintf(stderr,
                     "ferrywise: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the wizard "
                     "cannot open.\n"
                     "Use 'ferrywise --batch' to migrate without windows; 'ferrywise --batch --help' tells how.\n");
        return 1;
    }
    return RunWizard(argc, argv);
}
