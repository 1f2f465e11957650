#pragma once
// Outlook's contacts over a store folder, opened anew for each session, and
// small helpers to put and get their properties by name.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/misc/DispCmd.h"
#include "platform/automation/Utf16.h"
#include "platform/outlook/OutlookServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimeZone.h"

namespace storetest {

using platform::outlook::RegisterOutlookApplication;
using platform::outlook::UnregisterOutlookApplication;

// Outlook over the store at `root`, opened anew for each session.
class StoreSession {
public:
    explicit StoreSession(const std::string& root) {
        RegisterOutlookApplication(root);
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(u"Outlook.Application", &clsid), S_OK);
        void* unknown = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &unknown), S_OK);
        auto* u = static_cast<IUnknown*>(unknown);
        void* disp = nullptr;
        EXPECT_EQ(u->QueryInterface(IID_IDispatch, &disp), S_OK);
        u->Release();
        m_app.SetInterface(static_cast<IDispatch*>(disp));
        static_cast<IDispatch*>(disp)->Release();
        VARIANT arg = VARIANT::Bstr(u"MAPI"), ns, folder, items;
        EXPECT_EQ(m_app.CallMethod(u"GetNameSpace", &arg, 1, &ns), S_OK);
        VARIANT number = VARIANT::I4(10);
        EXPECT_EQ(CDispCmd(ns.pdispVal).CallMethod(u"GetDefaultFolder", &number, 1, &folder), S_OK);
        EXPECT_EQ(CDispCmd(folder.pdispVal).GetProperty(u"Items", &items), S_OK);
        m_items.SetInterface(items.pdispVal);
    }
    ~StoreSession() {
        m_items.SetInterface(nullptr);
        m_app.SetInterface(nullptr);
        UnregisterOutlookApplication();
    }
    CDispCmd Add() {
        VARIANT type = VARIANT::I4(2), item;
        EXPECT_EQ(m_items.CallMethod(u"Add", &type, 1, &item), S_OK);
        return CDispCmd(item.pdispVal);
    }
    // The contact at a 1-based position.
    CDispCmd Item(int position) {
        VARIANT index = VARIANT::I4(position), item;
        EXPECT_EQ(m_items.CallMethod(u"Item", &index, 1, &item), S_OK);
        return CDispCmd(item.vt == VT_DISPATCH ? item.pdispVal : nullptr);
    }
    // The contact of a file name without its extension; none when there is no such contact.
    CDispCmd ByEntryId(const std::string& id) {
        for (int i = 1; i <= Count(); ++i) {
            CDispCmd item = Item(i);
            char entry[1024] = {};
            item.GetString(u"EntryID", entry, sizeof entry);
            if (id == entry) return item;
        }
        return CDispCmd(nullptr);
    }
    int Count() {
        std::int32_t n = 0;
        m_items.GetInt(u"Count", &n);
        return n;
    }

private:
    CDispCmd m_app, m_items;
};

inline HRESULT Save(CDispCmd& item) { return item.CallMethod(u"Save", nullptr, 0, nullptr); }

inline HRESULT Put(CDispCmd& item, const std::string& name, VARIANT value) {
    return item.PutProperty(platform::Utf8ToUtf16(name).c_str(), &value);
}

inline VARIANT Get(CDispCmd& item, const std::string& name) {
    VARIANT v;
    EXPECT_EQ(item.GetProperty(platform::Utf8ToUtf16(name).c_str(), &v), S_OK) << name;
    return v;
}

inline std::string GetText(CDispCmd& item, const std::string& name) {
    return platform::Utf16ToUtf8(Get(item, name).bstrVal);
}

// What python3-vobject reads from every card of a folder: lines of
// "file|PROPERTY|value as JSON".
inline std::string ReadWithVobject(const std::string& folder, const std::string& scratch) {
    const char* source = std::getenv("FW_SOURCE_DIR");
    const std::string command = std::string("/usr/bin/python3 ") + (source ? source : ".") +
                                "/tests/outlookstore/read_cards.py " + folder + " > " + scratch + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = fwtest::ReadFile(scratch);
    EXPECT_EQ(status, 0) << "python3-vobject must be installed (scripts/bootstrap)\n" << out;
    return out;
}

// The process's time zone for the life of the object.
using ScopedZone = fwtest::ScopedTimeZone;

inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

}  // namespace storetest
