#pragma once
// An empty Outlook store in a fresh folder, a Wine prefix that says which
// Outlook version is installed, and the debug log in the same folder.
#include <dirent.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/DispCmd.h"
#include "platform/automation/DispatchObject.h"
#include "platform/clock/SystemTime.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/paths/Paths.h"
#include "tests/support/Bytes.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"

namespace oltest {

inline SYSTEMTIME Time(int y, int m, int d, int h = 0, int mi = 0) {
    SYSTEMTIME st = fwtest::At(y, m, d, h, mi);
    DATE date = 0;
    if (platform::SystemTimeToVariantTime(st, date)) platform::VariantTimeToSystemTime(date, st);  // day of week
    return st;
}

inline DATE Date(int y, int m, int d, int h = 0, int mi = 0) {
    DATE date = 0;
    platform::SystemTimeToVariantTime(Time(y, m, d, h, mi), date);
    return date;
}

inline std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

// Every item file of a store folder with its content.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const char* folder : {"Contacts", "Calendar", "Tasks", "Notes"})
        for (const std::string& name : Files(root + folder + "/"))
            files[std::string(folder) + "/" + name] = fwtest::ReadFile(root + folder + "/" + name);
    return files;
}

class Fixture {
public:
    fwtest::TempDir dir;
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    long live = platform::DispatchObject::LiveObjects();

    Fixture() {
        platform::outlook::RegisterOutlookApplication(dir.Path() + "store");
        CxDebugUtil::Instance().SetFolder(dir.Path().c_str());
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(2);
    }
    ~Fixture() {
        platform::outlook::UnregisterOutlookApplication();
        CxDebugUtil::Instance().Enable(false);
        CxDebugUtil::Instance().SetFolder("./");
    }

    std::string Store(const char* folder) const { return dir.Path() + "store/" + folder + "/"; }
    std::string Log() const { return fwtest::ReadFile(dir.File("appdebug.log")); }

    // An OUTLOOK.EXE of a major version under the Wine prefix's App Paths.
    void InstallOutlook(int major) {
        const std::string prefix = dir.Path() + "wine";
        platform::EnsureFolder(prefix);
        platform::EnsureFolder(prefix + "/drive_c");
        platform::EnsureFolder(prefix + "/drive_c/Office");
        platform::EnsureFolder(prefix + "/dosdevices");
        const std::string link = prefix + "/dosdevices/c:";
        if (!platform::PathExists(link)) (void)::symlink("../drive_c", link.c_str());
        fwtest::WriteFile(prefix + "/system.reg",
                          "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
                          "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\OUTLOOK.EXE] 1\n"
                          "\"Path\"=\"C:\\\\Office\\\\\"\n");
        const auto version = static_cast<std::uint32_t>(major) << 16;
        std::string exe = "MZ not really a program " + fwtest::FixedFileInfo(version, 4711, version, 0);
        exe.append(36, '\0');
        fwtest::WriteFile(prefix + "/drive_c/Office/OUTLOOK.EXE", exe);
    }
};

// Reads one property of the n-th (1-based) item of a default folder
// straight from the stand-in.
class Peek {
public:
    explicit Peek(int folder) {
        CLSID clsid{};
        CLSIDFromProgID(u"Outlook.Application", &clsid);
        void* raw = nullptr;
        CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, &raw);
        CDispCmd app(static_cast<IDispatch*>(raw));
        if (raw) static_cast<IDispatch*>(raw)->Release();
        VARIANT mapi = VARIANT::Bstr(u"MAPI"), ns, number = VARIANT::I4(folder), f;
        app.CallMethod(u"GetNameSpace", &mapi, 1, &ns);
        CDispCmd(ns.pdispVal).CallMethod(u"GetDefaultFolder", &number, 1, &f);
        IDispatch* items = nullptr;
        CDispCmd(f.pdispVal).GetDispatch(u"Items", &items);
        m_items.SetInterface(items);
        if (items) items->Release();
    }
    int Count() {
        std::int32_t n = 0;
        m_items.GetInt(u"Count", &n);
        return n;
    }
    CDispCmd Item(int position) {
        VARIANT arg = VARIANT::I4(position), result;
        m_items.CallMethod(u"Item", &arg, 1, &result);
        return CDispCmd(result.vt == VT_DISPATCH ? result.pdispVal : nullptr);
    }
    CDispCmd Pattern(int position) {
        VARIANT result;
        Item(position).CallMethod(u"GetRecurrencePattern", nullptr, 0, &result);
        return CDispCmd(result.vt == VT_DISPATCH ? result.pdispVal : nullptr);
    }
    CDispCmd Add(int type) {
        VARIANT arg = VARIANT::I4(type), result;
        m_items.CallMethod(u"Add", &arg, 1, &result);
        return CDispCmd(result.vt == VT_DISPATCH ? result.pdispVal : nullptr);
    }

private:
    CDispCmd m_items;
};

inline std::string Text(CDispCmd item, const char16_t* name) {
    char buf[4096] = "";
    item.GetString(name, buf, sizeof buf);
    return buf;
}
inline std::int32_t Int(CDispCmd item, const char16_t* name) {
    std::int32_t v = -99;
    item.GetInt(name, &v);
    return v;
}
inline bool Flag(CDispCmd item, const char16_t* name) {
    std::uint8_t v = 0;
    item.GetBool(name, &v);
    return v != 0;
}
inline DATE When(CDispCmd item, const char16_t* name) {
    DATE v = -1;
    item.GetDate(name, &v);
    return v;
}

}  // namespace oltest
