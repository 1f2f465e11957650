#include "helpers/dav/Browser.h"

#include <mutex>

#include "common/misc/CxDebugUtil.h"
#include "platform/process/ChildProcess.h"

namespace dav {

namespace {

std::mutex g_mutex;
BrowserOpener g_opener;

// The desktop's open action: xdg-open, which returns once it handed the
// address on.
bool OpenWithDesktop(const std::string& url) {
    platform::ChildProcess child;
    if (!child.Start("xdg-open \"" + url + "\"", std::string(), "/usr/bin")) {
        CX_LOG(kLogCritical, "DAV: the browser could not be started: %s", child.ErrorText().c_str());
        return false;
    }
    child.Release();
    return true;
}

}  // namespace

void SetBrowserOpener(BrowserOpener opener) {
    const std::lock_guard<std::mutex> lock(g_mutex);
    g_opener = std::move(opener);
}

bool OpenInBrowser(const std::string& url) {
    BrowserOpener opener;
    {
        const std::lock_guard<std::mutex> lock(g_mutex);
        opener = g_opener;
    }
    return opener ? opener(url) : OpenWithDesktop(url);
}

}  // namespace dav
