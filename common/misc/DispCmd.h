#pragma once
// Calls to one automation object by member name or id, with typed reads and
// writes of its properties.
//
// Results are automation result codes with one addition: 1 means the call
// worked but the value had another type than asked for, or there was no
// place for it. Texts are the system's UTF-8 texts; names are UTF-16.
#include <cstddef>
#include <cstdint>

#include "platform/automation/Automation.h"

// A member of an automation object: by name, or by the dispatch id found
// for its name before (FindId), which saves the lookup when the same
// member of many objects of one kind is called.
struct DispMember {
    DispMember(const OLECHAR* memberName) : name(memberName) {}
    explicit DispMember(DISPID memberId) : id(memberId) {}
    const OLECHAR* name = nullptr;
    DISPID id = DISPID_UNKNOWN;
};

class CDispCmd {
public:
    // The longest text a put sends, in UTF-16 units.
    static constexpr std::size_t kMaxPutUnits = 20479;
    // A property name sent to "Add" and "Find" is cut to this many units.
    static constexpr std::size_t kMaxNameUnits = 255;
    // The result for a value of another type or a missing output place.
    static constexpr HRESULT kOtherType = 1;

    CDispCmd() = default;
    // Takes a reference of its own.
    explicit CDispCmd(IDispatch* dispatch);
    ~CDispCmd();
    CDispCmd(const CDispCmd& other);
    CDispCmd& operator=(const CDispCmd& other);

    // Wraps another object (a reference of its own), releasing the old one.
    void SetInterface(IDispatch* dispatch);
    // Releases the wrapped object.
    void Clear() { SetInterface(nullptr); }
    IDispatch* GetInterface() const { return m_dispatch; }

    HRESULT Invoke(DispMember member, WORD flags, DISPPARAMS* params, VARIANT* result);
    // The dispatch id of a named member, looked up as Invoke does.
    HRESULT FindId(const OLECHAR* name, DISPID* id);
    // `args` in call order. With named arguments, the first `namedCount`
    // of `args` are the named ones, in the order of `namedIds`.
    HRESULT CallMethod(DispMember member, VARIANT* args, int argCount, VARIANT* result, WORD flags = DISPATCH_METHOD,
                       DISPID* namedIds = nullptr, int namedCount = 0);
    HRESULT GetProperty(DispMember member, VARIANT* result);
    HRESULT PutProperty(DispMember member, VARIANT* value);

    // At most size - 1 bytes, never half a character, always terminated.
    HRESULT GetString(DispMember member, char* buffer, std::size_t size);
    HRESULT GetInt(DispMember member, std::int32_t* out);
    HRESULT GetBool(DispMember member, std::uint8_t* out);
    HRESULT GetDate(DispMember member, DATE* out);
    // The caller owns the returned reference.
    HRESULT GetDispatch(DispMember member, IDispatch** out);

    // A missing or empty text writes nothing and succeeds.
    HRESULT PutString(DispMember member, const char* text);
    HRESULT PutInt(DispMember member, std::int32_t value);
    // Sends the byte itself as the VARIANT_BOOL (true as 1).
    HRESULT PutBool(DispMember member, std::uint8_t value);
    // A date within 0.00001 of zero writes nothing and succeeds.
    HRESULT PutDate(DispMember member, DATE value);

private:
    HRESULT GetTyped(DispMember member, VARTYPE type, VARIANT& value);
    IDispatch* m_dispatch = nullptr;
};
