#pragma once
// OLE automation as the system's callers know it: result codes, interface
// identifiers, the reference-counted IUnknown and IDispatch, VARIANT and
// DISPPARAMS, and class creation by ProgID over a registry of in-process
// classes.
//
// VARIANT owns what it holds: a string is kept as UTF-16 and released with
// the variant, an interface pointer is AddRef'd when stored and released
// when the variant is cleared. A by-reference integer points at the
// caller's storage and owns nothing.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock/SystemTime.h"

using HRESULT = std::int32_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using UINT = unsigned int;
using OLECHAR = char16_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;

constexpr HRESULT MakeHr(std::uint32_t v) { return static_cast<HRESULT>(v); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHr(0x80004001u);
constexpr HRESULT E_NOINTERFACE = MakeHr(0x80004002u);
constexpr HRESULT E_POINTER = MakeHr(0x80004003u);
constexpr HRESULT E_FAIL = MakeHr(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = MakeHr(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = MakeHr(0x80070057u);
constexpr HRESULT E_ACCESSDENIED = MakeHr(0x80070005u);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeHr(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHr(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeHr(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHr(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHr(0x80020006u);
constexpr HRESULT DISP_E_EXCEPTION = MakeHr(0x80020009u);
constexpr HRESULT DISP_E_BADINDEX = MakeHr(0x8002000Bu);
constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHr(0x8002000Eu);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = MakeHr(0x8002000Fu);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHr(0x80040110u);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHr(0x80040154u);
constexpr HRESULT CO_E_CLASSSTRING = MakeHr(0x800401F3u);
constexpr HRESULT STG_E_WRITEFAULT = MakeHr(0x8003001Du);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_PROPERTYPUT = -3;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 2048;
constexpr LCID LOCALE_US_ENGLISH = 1033;

constexpr DWORD CLSCTX_INPROC_SERVER = 1;
constexpr DWORD CLSCTX_LOCAL_SERVER = 4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 16;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;  // 21

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
bool operator==(const GUID& a, const GUID& b);
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

extern const IID IID_NULL;
extern const IID IID_IUnknown;
extern const IID IID_IDispatch;
extern const IID IID_IRunnableObject;

class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

struct DISPPARAMS;
struct VARIANT;

class IDispatch : public IUnknown {
public:
    // Names are matched by the server; `locale` tells the language the
    // caller used for them.
    virtual HRESULT GetIDsOfNames(REFIID iid, const OLECHAR* const* names, UINT count, LCID locale, DISPID* ids) = 0;
    // Arguments of `params` come in reverse order (the last argument first);
    // the first cNamedArgs of them are named by rgdispidNamedArgs.
    virtual HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                           void* excepInfo, UINT* argErr) = 0;
};

// An object that must be put into its running state before use.
class IRunnableObject : public IUnknown {
public:
    virtual HRESULT Run() = 0;
};

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_BOOL = 11,
    VT_BYREF = 0x4000,
};
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    union {
        std::int32_t lVal;
        double dblVal;
        DATE date;
        VARIANT_BOOL boolVal;
        IDispatch* pdispVal;
        std::int32_t* plVal;
    };
    std::u16string bstrVal;  // the string of VT_BSTR

    VARIANT() : lVal(0) {}
    ~VARIANT();
    VARIANT(const VARIANT& other);
    VARIANT& operator=(const VARIANT& other);
    VARIANT(VARIANT&& other) noexcept;
    VARIANT& operator=(VARIANT&& other) noexcept;

    static VARIANT I4(std::int32_t v);
    static VARIANT R8(double v);
    static VARIANT Date(DATE v);
    static VARIANT Bool(bool v);
    // The raw VARIANT_BOOL, for callers that send a value of their own.
    static VARIANT BoolRaw(VARIANT_BOOL v);
    static VARIANT Bstr(std::u16string v);
    // Takes a reference of its own.
    static VARIANT Dispatch(IDispatch* v);
    static VARIANT I4Ref(std::int32_t* v);
};

void VariantInit(VARIANT* v);
// Releases what the variant holds and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dst, const VARIANT* src);

struct DISPPARAMS {
    VARIANT* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

// Creates a new object of a class with one reference held by the caller.
using ClassFactory = std::function<IUnknown*()>;

// Makes a class known under its ProgID for the given class contexts.
// Registering a ProgID again replaces the earlier entry.
void RegisterAutomationClass(std::u16string_view progId, const CLSID& clsid, DWORD contexts, ClassFactory factory);
void UnregisterAutomationClass(std::u16string_view progId);

// CO_E_CLASSSTRING for an unknown or missing ProgID.
HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* clsid);
// REGDB_E_CLASSNOTREG when the class is not registered for any of the
// requested contexts; CLASS_E_NOAGGREGATION with an outer object.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out);
// Puts an object into its running state; objects that need no such step
// are running already.
HRESULT OleRun(IUnknown* object);
