#include "common/outlook/OlComm.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/version/FileVersion.h"

bool OlBaseUtil::s_started = false;
CDispCmd OlBaseUtil::s_application;
CDispCmd OlBaseUtil::s_nameSpace;
IUnknown* OlBaseUtil::s_appObject = nullptr;
int OlBaseUtil::s_users = 0;
int OlBaseUtil::s_versionClass = 0;

namespace {

// The folder OUTLOOK.EXE was installed in, from its App Paths entry.
std::optional<std::string> OutlookFolder() {
    auto path =
        platform::RegistryReadPath(platform::RegistryRoot::LocalMachine,
                                   "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE", "Path");
    if (path && path->size() > 259) path->resize(259);
    return path;
}

}  // namespace

OlBaseUtil::OlBaseUtil() { OlBaseUtil::Init(); }

OlBaseUtil::~OlBaseUtil() {
    OlBaseUtil::Clear();
    OlBaseUtil::Close();
}

bool OlBaseUtil::Load() {
    Clear();
    return true;
}

void OlBaseUtil::Clear() {}

void OlBaseUtil::Init() { m_connected = OlBaseUtil::Start(); }

void OlBaseUtil::Close() {
    OlBaseUtil::Clear();
    OlBaseUtil::Stop();
}

int OlBaseUtil::VersionClassOf(int major) {
    if (major <= 0) return 0;
    if (major <= 9) return 1;
    switch (major) {
    case 10: return 2;
    case 11: return 3;
    case 12: return 4;
    case 14: return 5;
    default: return 6;
    }
}

int OlBaseUtil::ComputeVersionClass() {
    const std::optional<std::string> folder = OutlookFolder();
    if (!folder || folder->empty()) return 0;
    platform::FixedFileVersion version;
    if (!platform::ReadFileVersion(platform::ResolvePath(*folder + "OUTLOOK.EXE"), version)) return 0;
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(version.fileVersionMS >> 16),
                  static_cast<int>(version.fileVersionMS & 0xFFFF), static_cast<int>(version.fileVersionLS >> 16),
                  static_cast<int>(version.fileVersionLS & 0xFFFF));
    return VersionClassOf(std::atoi(text));  // the text before the first "."
}

int OlBaseUtil::VersionClassOfText(CDispCmd& application) {
    char version[64] = "";
    if (application.GetString(u"Version", version, sizeof version) != S_OK) return 0;
    return VersionClassOf(std::atoi(version));  // the text before the first "."
}

bool OlBaseUtil::Start() {
    m_propIds = OlPropIds();  // the ids of another server may differ
    ++s_users;
    ++m_shares;
    if (s_started) {
        m_application = s_application;
        m_nameSpace = s_nameSpace;
        m_appObject = s_appObject;
        return true;
    }
    s_versionClass = ComputeVersionClass();
    CX_LOG(kLogDetail, "Outlook automation started.");
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(u"Outlook.Application", &clsid);
    if (FAILED(hr)) {
        CX_LOG(kLogCritical, "Can not get the CLSID of Outlook.Application, hr=0x%08x", static_cast<unsigned>(hr));
        Stop();
        return false;
    }
    CX_LOG(kLogDetail, "Get Outlook.Application CLSID succeeded.");
    void* object = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &object);
    if (FAILED(hr) || object == nullptr) {
        CX_LOG(kLogCritical, "Failed to execute CoCreateInstance, hr=0x%08x", static_cast<unsigned>(hr));
        Stop();
        return false;
    }
    s_appObject = static_cast<IUnknown*>(object);
    CX_LOG(kLogDetail, "CoCreateInstance succeeded.");
    hr = OleRun(s_appObject);
    if (FAILED(hr)) {
        CX_LOG(kLogCritical, "Failed to execute OleRun, hr=0x%08x", static_cast<unsigned>(hr));
        Stop();
        return false;
    }
    CX_LOG(kLogDetail, "Microsoft Outlook started successfully.");
    void* dispatch = nullptr;
    hr = s_appObject->QueryInterface(IID_IDispatch, &dispatch);
    if (FAILED(hr) || dispatch == nullptr) {
        CX_LOG(kLogCritical, "Failed to query IDispatch interface of Outlook App, hr=0x%08x",
               static_cast<unsigned>(hr));
        Stop();
        return false;
    }
    CX_LOG(kLogDetail, "Got Outlook IDispatch interface successfully.");
    s_application.SetInterface(static_cast<IDispatch*>(dispatch));
    static_cast<IDispatch*>(dispatch)->Release();
    VARIANT arg = VARIANT::Bstr(u"MAPI");
    VARIANT result;
    hr = s_application.CallMethod(u"GetNameSpace", &arg, 1, &result);
    if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
        CX_LOG(kLogCritical, "Failed to call Outlook.Application GetNameSpace method, hr=0x%08x",
               static_cast<unsigned>(hr));
        Stop();
        return false;
    }
    CX_LOG(kLogDetail, "Get Outlook MAPI namespace object successfully.");
    s_nameSpace.SetInterface(result.pdispVal);
    // No Outlook program registered: the Outlook that answers tells its own
    // version, so the reminder properties of that version are used.
    if (s_versionClass == 0) s_versionClass = VersionClassOfText(s_application);
    s_started = true;
    m_application = s_application;
    m_nameSpace = s_nameSpace;
    m_appObject = s_appObject;
    CX_LOG(kLogDetail, "Outlook Automation Succeeded.");
    return true;
}

void OlBaseUtil::Stop() {
    m_application.Clear();
    m_nameSpace.Clear();
    m_appObject = nullptr;
    // An adapter leaves only as often as it joined.
    if (m_shares == 0 || s_users == 0) return;
    --m_shares;
    if (--s_users > 0) return;
    s_nameSpace.Clear();
    s_application.Clear();
    if (IUnknown* object = s_appObject) {
        s_appObject = nullptr;
        object->Release();
    }
    s_started = false;
}
