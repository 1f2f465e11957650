#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "platform/automation/Automation.h"
#include "platform/automation/ComRef.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/Utf16.h"

namespace {

// An object with one integer property "Value" and a method "Sum" that adds
// its arguments and writes the sum back through a by-reference argument.
class Counter : public platform::DispatchObject, public IRunnableObject {
public:
    int value = 0;
    bool running = false;
    HRESULT runResult = S_OK;

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IRunnableObject) {
            *out = static_cast<IRunnableObject*>(this);
            DispatchObject::AddRef();
            return S_OK;
        }
        return DispatchObject::QueryInterface(iid, out);
    }
    ULONG AddRef() override { return DispatchObject::AddRef(); }
    ULONG Release() override { return DispatchObject::Release(); }
    HRESULT Run() override {
        running = SUCCEEDED(runResult);
        return runResult;
    }

protected:
    DISPID FindMember(std::u16string_view n) const override {
        if (n == u"value") return 1;
        if (n == u"sum") return 2;
        return DISPID_UNKNOWN;
    }
    HRESULT Call(DISPID id, WORD flags, const platform::DispatchArgs& args, VARIANT* result) override {
        if (id == 1 && (flags & DISPATCH_PROPERTYPUT)) {
            std::int32_t v = 0;
            if (!platform::VariantToInt(*args.PutValue(), v)) return DISP_E_TYPEMISMATCH;
            value = v;
            return S_OK;
        }
        if (id == 1) {
            if (result) *result = VARIANT::I4(value);
            return S_OK;
        }
        if (id == 2 && (flags & DISPATCH_METHOD)) {
            if (args.Count() < 2) return DISP_E_BADPARAMCOUNT;
            std::int32_t a = 0, b = 0;
            if (FAILED(args.GetInt(0, a)) || FAILED(args.GetInt(1, b))) return DISP_E_TYPEMISMATCH;
            if (args.Count() > 2 && args.At(2)->vt == (VT_BYREF | VT_I4)) *args.At(2)->plVal = a - b;
            if (result) *result = VARIANT::I4(a + b);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};

const CLSID kCounterClsid = {0x12345678, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};

struct RegisteredCounter : ::testing::Test {
    Counter* last = nullptr;
    RegisteredCounter() {
        RegisterAutomationClass(u"Test.Counter", kCounterClsid, CLSCTX_INPROC_SERVER, [this]() -> IUnknown* {
            last = new Counter;
            return static_cast<IDispatch*>(last);
        });
    }
    ~RegisteredCounter() override { UnregisterAutomationClass(u"Test.Counter"); }
};

}  // namespace

TEST(Utf16, RoundTripAndLimits) {
    const std::string text = "Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x98\x80!";
    const std::u16string wide = platform::Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 9u);  // the emoji takes two units
    EXPECT_EQ(platform::Utf16ToUtf8(wide), text);
    // A cut never leaves half a surrogate pair.
    EXPECT_EQ(platform::Utf8ToUtf16(text, 7), u"Zo\u00EB \u20AC ");
    EXPECT_EQ(platform::Utf8ToUtf16(text, 8).size(), 8u);
    // Broken input becomes replacement characters instead of being lost.
    EXPECT_EQ(platform::Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(platform::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong
    EXPECT_EQ(platform::Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Utf16, AgreesWithTheEncodingsOnRandomTextsAndCutsOnlyAtCharacters) {
    std::mt19937 rng(16);
    for (int round = 0; round < 3000; ++round) {
        std::string utf8;
        std::u16string utf16;
        const int length = static_cast<int>(rng() % 24);
        for (int k = 0; k < length; ++k) {
            const unsigned pick = rng() % 10;
            char32_t cp = pick < 6 ? rng() % 0x80 : pick < 7 ? 0x80 + rng() % 0x780 : pick < 9 ? 0x800 + rng() % 0xF800
                                                                                            : 0x10000 + rng() % 0x100000;
            if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xE000;
            if (cp < 0x80) {
                utf8 += static_cast<char>(cp);
            } else if (cp < 0x800) {
                utf8 += {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
            } else if (cp < 0x10000) {
                utf8 += {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (cp & 0x3F))};
            } else {
                utf8 += {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
                         static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
            }
            if (cp < 0x10000) {
                utf16 += static_cast<char16_t>(cp);
            } else {
                utf16 += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                utf16 += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            }
        }
        ASSERT_EQ(platform::Utf8ToUtf16(utf8), utf16) << round;
        ASSERT_EQ(platform::Utf16ToUtf8(utf16), utf8) << round;
        const std::size_t limit = rng() % (utf16.size() + 1);
        const std::u16string cut = platform::Utf8ToUtf16(utf8, limit);
        ASSERT_EQ(cut, utf16.substr(0, cut.size())) << round;
        const bool pairAtLimit = limit < utf16.size() && utf16[limit] >= 0xDC00 && utf16[limit] <= 0xDFFF;
        ASSERT_EQ(cut.size(), pairAtLimit ? limit - 1 : limit) << round;
    }
}

TEST(Variant, OwnsItsInterfaceReference) {
    const long before = platform::DispatchObject::LiveObjects();
    auto* counter = new Counter;  // one reference, ours
    {
        VARIANT a = VARIANT::Dispatch(counter);
        VARIANT b = a;             // copies take references
        VARIANT c = std::move(a);  // moves do not
        EXPECT_EQ(a.vt, VT_EMPTY);
        VariantClear(&b);
        EXPECT_EQ(c.pdispVal, counter);
    }
    EXPECT_EQ(counter->Release(), 0u);
    EXPECT_EQ(platform::DispatchObject::LiveObjects(), before);
}

TEST_F(RegisteredCounter, CreateRunAndQuery) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"test.COUNTER", &clsid), S_OK);  // ProgIDs ignore case
    EXPECT_TRUE(clsid == kCounterClsid);
    EXPECT_EQ(CLSIDFromProgID(u"Test.Missing", &clsid), CO_E_CLASSSTRING);

    void* raw = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &raw), S_OK);
    auto unknown = platform::ComRef<IUnknown>::Adopt(static_cast<IUnknown*>(raw));
    EXPECT_FALSE(last->running);
    EXPECT_EQ(OleRun(unknown.Get()), S_OK);
    EXPECT_TRUE(last->running);

    void* disp = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IDispatch, &disp), S_OK);
    platform::ComRef<IDispatch>::Adopt(static_cast<IDispatch*>(disp));
    EXPECT_EQ(unknown->QueryInterface(kCounterClsid, &disp), E_NOINTERFACE);
}

TEST_F(RegisteredCounter, CreationRefusals) {
    void* raw = nullptr;
    EXPECT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &raw), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(raw, nullptr);
    auto* outer = new Counter;
    EXPECT_EQ(CoCreateInstance(kCounterClsid, static_cast<IDispatch*>(outer), CLSCTX_SERVER, IID_IUnknown, &raw),
              CLASS_E_NOAGGREGATION);
    outer->Release();
    EXPECT_EQ(OleRun(nullptr), E_INVALIDARG);
}

TEST_F(RegisteredCounter, RunFailureIsReported) {
    void* raw = nullptr;
    ASSERT_EQ(CoCreateInstance(kCounterClsid, nullptr, CLSCTX_SERVER, IID_IUnknown, &raw), S_OK);
    auto unknown = platform::ComRef<IUnknown>::Adopt(static_cast<IUnknown*>(raw));
    last->runResult = E_FAIL;
    EXPECT_EQ(OleRun(unknown.Get()), E_FAIL);
}

TEST(DispatchObject, InvokeArgumentsInCallOrderAndByReference) {
    auto counter = platform::ComRef<Counter>::Adopt(new Counter);
    const OLECHAR* names[1] = {u"SUM"};
    DISPID id = 0;
    ASSERT_EQ(counter->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id), S_OK);
    std::int32_t diff = 0;
    // Reverse order: rgvarg[0] is the last argument.
    VARIANT args[3] = {VARIANT::I4Ref(&diff), VARIANT::I4(3), VARIANT::I4(10)};
    DISPPARAMS params;
    params.rgvarg = args;
    params.cArgs = 3;
    VARIANT result;
    ASSERT_EQ(counter->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.lVal, 13);
    EXPECT_EQ(diff, 7);

    const OLECHAR* unknown[1] = {u"Nope"};
    EXPECT_EQ(counter->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_SYSTEM_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    // A put without its value is refused before the object sees it.
    DISPPARAMS empty;
    EXPECT_EQ(counter->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &empty, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTOPTIONAL);
}
