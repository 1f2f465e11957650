// Shows the wait window on the X display, lets it tick for a while with a
// status line from a helper, and saves a picture of the whole screen.
// Usage: waitwindow_shot <picture.png> [seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "common/misc/CxWaitWindow.h"
#include "platform/waitwindow/DesktopWaitWindow.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: waitwindow_shot <picture.png> [seconds]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 2.75;
    platform::InstallDesktopWaitWindow();
    if (!StartWaitWindow(nullptr)) return 1;
    SetWaitMessage("Loading information from Google account ...");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    SetWaitMessage("Loading Google Contacts ...");
    const std::string status = "/tmp/waitwindow_shot_status.dat";
    WatchStatusFile(status.c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (std::FILE* f = std::fopen(status.c_str(), "w")) {
        std::fputs("Reading Google contact 212 of 530 ...\r\n", f);
        std::fclose(f);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000) - 500));
    const bool saved = platform::SaveScreenPicture(argv[1]);
    StopWaitWindow();
    std::remove(status.c_str());
    return saved ? 0 : 1;
}
