#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/DispCmd.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/Utf16.h"
#include "tests/support/TempDir.h"

namespace {

// A bag of named values. Names listed in `englishOnly` resolve only when
// asked with locale 1033. Every lookup and put is recorded.
class Bag : public platform::DispatchObject {
public:
    std::vector<std::u16string> names;  // DISPID = index + 1
    std::map<DISPID, VARIANT> values;
    std::vector<std::u16string> englishOnly;
    std::vector<LCID> lookupLocales;
    std::vector<LCID> invokeLocales;
    std::vector<std::pair<std::u16string, VARIANT>> puts;

    void Set(const std::u16string& name, VARIANT v) { values[Id(name)] = std::move(v); }
    DISPID Id(const std::u16string& name) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == platform::FoldName(name)) return static_cast<DISPID>(i + 1);
        names.push_back(platform::FoldName(name));
        return static_cast<DISPID>(names.size());
    }

    HRESULT GetIDsOfNames(REFIID iid, const OLECHAR* const* n, UINT count, LCID locale, DISPID* ids) override {
        lookupLocales.push_back(locale);
        const std::u16string folded = platform::FoldName(n[0]);
        for (const auto& e : englishOnly)
            if (platform::FoldName(e) == folded && locale != LOCALE_US_ENGLISH) return DISP_E_UNKNOWNNAME;
        return DispatchObject::GetIDsOfNames(iid, n, count, locale, ids);
    }
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* p, VARIANT* r, void* e,
                   UINT* a) override {
        invokeLocales.push_back(locale);
        return DispatchObject::Invoke(id, iid, locale, flags, p, r, e, a);
    }

protected:
    DISPID FindMember(std::u16string_view folded) const override {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == folded) return static_cast<DISPID>(i + 1);
        return DISPID_UNKNOWN;
    }
    HRESULT Call(DISPID id, WORD flags, const platform::DispatchArgs& args, VARIANT* result) override {
        if (flags & DISPATCH_PROPERTYPUT) {
            puts.emplace_back(names[static_cast<std::size_t>(id - 1)], *args.PutValue());
            values[id] = *args.PutValue();
            return S_OK;
        }
        if (flags & DISPATCH_METHOD) {
            // Echo: the number of arguments and the first one's text.
            std::u16string first;
            args.GetString(0, first);
            if (result) *result = VARIANT::Bstr(first + u"/" + static_cast<char16_t>(u'0' + args.Count()));
            return S_OK;
        }
        auto it = values.find(id);
        if (it == values.end()) return DISP_E_MEMBERNOTFOUND;
        if (result) *result = it->second;
        return S_OK;
    }
};

struct DispCmdTest : ::testing::Test {
    fwtest::TempDir dir;
    Bag* bag = new Bag;
    CDispCmd cmd;
    DispCmdTest() {
        CxDebugUtil::Instance().SetFolder(dir.Path().c_str());
        cmd.SetInterface(bag);
        bag->Release();  // the wrapper holds the only reference now
    }
    ~DispCmdTest() override { CxDebugUtil::Instance().SetFolder("./"); }
    std::string Log() { return fwtest::ReadFile(dir.File("appdebug.log")); }
};

}  // namespace

TEST_F(DispCmdTest, EmptyWrapperAndEmptyNameAreInvalid) {
    CDispCmd none;
    std::int32_t v = 0;
    EXPECT_EQ(none.GetInt(u"Count", &v), E_INVALIDARG);
    EXPECT_EQ(none.PutInt(u"Count", 1), E_INVALIDARG);
    EXPECT_EQ(cmd.GetInt(u"", &v), E_INVALIDARG);
    EXPECT_EQ(cmd.GetInt(nullptr, &v), E_INVALIDARG);
}

TEST_F(DispCmdTest, EnglishOnlyNameResolvesOnSecondLookup) {
    bag->Set(u"Subject", VARIANT::Bstr(u"Hi"));
    bag->englishOnly.push_back(u"Subject");
    char text[16];
    ASSERT_EQ(cmd.GetString(u"Subject", text, sizeof text), S_OK);
    EXPECT_STREQ(text, "Hi");
    EXPECT_EQ(bag->lookupLocales, (std::vector<LCID>{2048, 1033}));
    EXPECT_EQ(bag->invokeLocales, (std::vector<LCID>{2048}));  // Invoke always with the system locale
    EXPECT_EQ(Log().find("GetIDsOfNames"), std::string::npos);
}

TEST_F(DispCmdTest, UnknownNameIsLoggedOncePerCall) {
    std::int32_t v = 5;
    EXPECT_EQ(cmd.GetInt(u"Gr\u00F6\u00DFe", &v), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(v, 5);
    const std::string log = Log();
    EXPECT_NE(log.find("[!!!] - Failed to call IDispatch->GetIDsOfNames, Name=Gr\xC3\xB6\xC3\x9F"
                       "e, hr=0x80020006"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("GetIDsOfNames"), log.rfind("GetIDsOfNames"));
}

TEST_F(DispCmdTest, OtherTypeOrNoPlaceReportsOneAndKeepsField) {
    bag->Set(u"Empty", VARIANT());
    bag->Set(u"Number", VARIANT::I4(42));
    std::int32_t n = 7;
    std::uint8_t b = 9;
    DATE d = 1.5;
    char text[8] = "keep";
    IDispatch* obj = reinterpret_cast<IDispatch*>(&n);
    EXPECT_EQ(cmd.GetInt(u"Empty", &n), 1);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(cmd.GetBool(u"Number", &b), 1);
    EXPECT_EQ(b, 9);
    EXPECT_EQ(cmd.GetDate(u"Number", &d), 1);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(cmd.GetString(u"Number", text, sizeof text), 1);
    EXPECT_STREQ(text, "keep");
    EXPECT_EQ(cmd.GetDispatch(u"Number", &obj), 1);
    EXPECT_EQ(obj, nullptr);  // cleared first
    EXPECT_EQ(cmd.GetInt(u"Number", nullptr), 1);
    EXPECT_EQ(cmd.GetString(u"Number", nullptr, 0), 1);
}

TEST_F(DispCmdTest, TypedGets) {
    bag->Set(u"Flag", VARIANT::BoolRaw(-1));
    bag->Set(u"When", VARIANT::Date(45000.25));
    bag->Set(u"Me", VARIANT::Dispatch(bag));
    std::uint8_t b = 0;
    DATE d = 0;
    IDispatch* obj = nullptr;
    EXPECT_EQ(cmd.GetBool(u"Flag", &b), S_OK);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(cmd.GetDate(u"When", &d), S_OK);
    EXPECT_EQ(d, 45000.25);
    EXPECT_EQ(cmd.GetDispatch(u"Me", &obj), S_OK);
    EXPECT_EQ(obj, bag);
    obj->Release();
    bag->values.erase(bag->Id(u"Me"));  // break the cycle
}

TEST_F(DispCmdTest, GetStringCutsWithoutSplittingCharacters) {
    bag->Set(u"Name", VARIANT::Bstr(u"ab\u00E9\u00E9"));  // "ab" + two 2-byte characters
    char text[5];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(cmd.GetString(u"Name", text, sizeof text), S_OK);
    EXPECT_STREQ(text, "ab\xC3\xA9");
    char tiny[1] = {'x'};
    EXPECT_EQ(cmd.GetString(u"Name", tiny, 1), S_OK);
    EXPECT_STREQ(tiny, "");
}

TEST_F(DispCmdTest, PutsSkipEmptyTextsAndZeroDates) {
    bag->Id(u"Body");
    bag->Id(u"Start");
    EXPECT_EQ(cmd.PutString(u"Body", ""), S_OK);
    EXPECT_EQ(cmd.PutString(u"Body", nullptr), S_OK);
    EXPECT_EQ(cmd.PutDate(u"Start", 0.000009), S_OK);
    EXPECT_EQ(cmd.PutDate(u"Start", -0.000009), S_OK);
    EXPECT_TRUE(bag->puts.empty());
    EXPECT_EQ(cmd.PutDate(u"Start", 0.00002), S_OK);
    ASSERT_EQ(bag->puts.size(), 1u);
    EXPECT_EQ(bag->puts[0].second.vt, VT_DATE);
}

TEST_F(DispCmdTest, PutBoolSendsTheByteAndPutStringIsCut) {
    bag->Id(u"Flag");
    bag->Id(u"Body");
    EXPECT_EQ(cmd.PutBool(u"Flag", 1), S_OK);
    EXPECT_EQ(bag->puts.back().second.vt, VT_BOOL);
    EXPECT_EQ(bag->puts.back().second.boolVal, 1);
    std::string longText(20478, 'a');
    longText += "\xF0\x9F\x98\x80";  // needs two units where one is left
    EXPECT_EQ(cmd.PutString(u"Body", longText.c_str()), S_OK);
    EXPECT_EQ(bag->puts.back().second.bstrVal.size(), 20478u);
    longText.assign(30000, 'b');
    EXPECT_EQ(cmd.PutString(u"Body", longText.c_str()), S_OK);
    EXPECT_EQ(bag->puts.back().second.bstrVal.size(), CDispCmd::kMaxPutUnits);
}

TEST_F(DispCmdTest, CallMethodPassesArgumentsInOrder) {
    bag->Id(u"Echo");
    VARIANT args[2] = {VARIANT::Bstr(u"MAPI"), VARIANT::I4(3)};
    VARIANT result;
    ASSERT_EQ(cmd.CallMethod(u"Echo", args, 2, &result), S_OK);
    EXPECT_EQ(result.bstrVal, u"MAPI/2");
    EXPECT_EQ(cmd.CallMethod(u"Echo", nullptr, 0, nullptr), S_OK);
    EXPECT_EQ(cmd.CallMethod(u"Echo", nullptr, 1, nullptr), E_INVALIDARG);
}

TEST_F(DispCmdTest, CopiesShareTheObject) {
    const long live = platform::DispatchObject::LiveObjects();
    {
        CDispCmd copy = cmd;
        cmd.Clear();
        EXPECT_EQ(platform::DispatchObject::LiveObjects(), live);
        EXPECT_NE(copy.GetInterface(), nullptr);
    }
    EXPECT_EQ(platform::DispatchObject::LiveObjects(), live - 1);
}
