#pragma once
// An automation session with the Outlook stand-in, as the adapters open it,
// and the little helpers the store tests share.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "common/misc/DispCmd.h"
#include "platform/automation/Utf16.h"
#include "platform/clock/SystemTime.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimeZone.h"

namespace storetest {

struct Session {
    CDispCmd app, ns;
    explicit Session(bool run = true) {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(u"Outlook.Application", &clsid), S_OK);
        void* unknown = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &unknown), S_OK);
        auto* u = static_cast<IUnknown*>(unknown);
        if (run) {
            EXPECT_EQ(OleRun(u), S_OK);
        }
        void* disp = nullptr;
        EXPECT_EQ(u->QueryInterface(IID_IDispatch, &disp), S_OK);
        u->Release();
        app.SetInterface(static_cast<IDispatch*>(disp));
        static_cast<IDispatch*>(disp)->Release();
        VARIANT arg = VARIANT::Bstr(u"MAPI"), result;
        EXPECT_EQ(app.CallMethod(u"GetNameSpace", &arg, 1, &result), S_OK);
        ns.SetInterface(result.pdispVal);
    }
    CDispCmd Folder(int number) {
        VARIANT arg = VARIANT::I4(number), result;
        EXPECT_EQ(ns.CallMethod(u"GetDefaultFolder", &arg, 1, &result), S_OK);
        return CDispCmd(result.pdispVal);
    }
    CDispCmd Items(int number) {
        IDispatch* items = nullptr;
        EXPECT_EQ(Folder(number).GetDispatch(u"Items", &items), S_OK);
        CDispCmd out(items);
        if (items) items->Release();
        return out;
    }
    CDispCmd Add(int folder, int type) {
        VARIANT arg = VARIANT::I4(type), result;
        EXPECT_EQ(Items(folder).CallMethod(u"Add", &arg, 1, &result), S_OK);
        return CDispCmd(result.vt == VT_DISPATCH ? result.pdispVal : nullptr);
    }
    // The item at a 1-based position of a folder.
    CDispCmd Item(int folder, int position) {
        VARIANT arg = VARIANT::I4(position), result;
        EXPECT_EQ(Items(folder).CallMethod(u"Item", &arg, 1, &result), S_OK);
        return CDispCmd(result.vt == VT_DISPATCH ? result.pdispVal : nullptr);
    }
};

inline HRESULT Call(CDispCmd& obj, const char16_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr) {
    return obj.CallMethod(name, args.empty() ? nullptr : args.data(), static_cast<int>(args.size()), result);
}

// A text property of any length, read whole.
inline std::string Text(CDispCmd& obj, const char16_t* name) {
    VARIANT v;
    EXPECT_EQ(obj.GetProperty(name, &v), S_OK);
    return v.vt == VT_BSTR ? platform::Utf16ToUtf8(v.bstrVal) : std::string("<not a text>");
}

inline HRESULT PutText(CDispCmd& obj, const char16_t* name, const std::string& text) {
    VARIANT v = VARIANT::Bstr(platform::Utf8ToUtf16(text));
    return obj.PutProperty(name, &v);
}

// The process's time zone for the life of the object.
using ScopedTz = fwtest::ScopedTimeZone;

// A local date value of the process's zone.
inline double LocalDate(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    double out = 0;
    platform::SystemTimeToVariantTime(fwtest::At(y, m, d, h, mi, s), out);
    return out;
}

// Runs the system's python3 with a script text and arguments; its output.
inline std::string RunPython(const fwtest::TempDir& dir, const std::string& script, const std::string& args,
                             const char* tz = nullptr) {
    fwtest::WriteFile(dir.File("check.py"), script);
    const std::string command = std::string(tz ? "TZ=" : "") + (tz ? tz : "") + (tz ? " " : "") + "/usr/bin/python3 " +
                                dir.File("check.py") + " " + args + " > " + dir.File("python.txt") + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = fwtest::ReadFile(dir.File("python.txt"));
    EXPECT_EQ(status, 0) << "python3-icalendar must be installed (scripts/bootstrap)\n" << out;
    return out;
}

}  // namespace storetest
