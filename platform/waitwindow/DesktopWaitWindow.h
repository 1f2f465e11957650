#pragma once
// The wait window's desktop kind, for the programs that show it.
#include <string>

namespace platform {

// Installs the window kind that the wait window opens when a display is
// there: a borderless window of its own, centred on the screen.
void InstallDesktopWaitWindow();

// Saves a picture of the whole screen of the display as a PNG file. False
// when there is no display or the file cannot be written.
bool SaveScreenPicture(const std::string& path);

}  // namespace platform
