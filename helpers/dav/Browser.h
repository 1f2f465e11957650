#pragma once
// Where the DAV client shows the user a sign-in page: the desktop's open
// action by default; tests put in their own opener.
#include <functional>
#include <string>

namespace dav {

// Opens `url` in the user's browser; false when it cannot.
using BrowserOpener = std::function<bool(const std::string& url)>;

// Replaces the opener; an empty one restores the desktop's.
void SetBrowserOpener(BrowserOpener opener);
bool OpenInBrowser(const std::string& url);

}  // namespace dav
