#pragma once
// The shared part of every in-process automation object: reference
// counting, QueryInterface for IUnknown and IDispatch, name lookup without
// regard to case, and Invoke turned into one call with the arguments in
// call order.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/Automation.h"

namespace platform {

// The arguments of one Invoke in the order the caller wrote them; the
// value of a property put is kept apart. By-reference integers read
// through their pointer.
class DispatchArgs {
public:
    explicit DispatchArgs(const DISPPARAMS* params);
    std::size_t Count() const { return m_positional; }
    // The argument at a 0-based position, or null.
    const VARIANT* At(std::size_t i) const;
    // The value of a property put, or null.
    const VARIANT* PutValue() const { return m_put; }

    // Typed reads of a positional argument; DISP_E_PARAMNOTFOUND when it is
    // missing, DISP_E_TYPEMISMATCH when its value does not convert.
    HRESULT GetInt(std::size_t i, std::int32_t& out) const;
    HRESULT GetBool(std::size_t i, bool& out) const;
    HRESULT GetString(std::size_t i, std::u16string& out) const;

private:
    const DISPPARAMS* m_params;
    std::size_t m_positional = 0;
    const VARIANT* m_put = nullptr;
};

// Reads a variant as a number, following a by-reference integer.
bool VariantToInt(const VARIANT& v, std::int32_t& out);

// ASCII case folding of a member name.
std::u16string FoldName(std::u16string_view name);

class DispatchObject : public IDispatch {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetIDsOfNames(REFIID iid, const OLECHAR* const* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result, void* excepInfo,
                   UINT* argErr) override;

    // Number of automation objects alive in the process (for leak checks).
    static long LiveObjects();

protected:
    DispatchObject();
    ~DispatchObject() override;
    // The member's DISPID, or DISPID_UNKNOWN. `folded` is lower case.
    virtual DISPID FindMember(std::u16string_view folded) const = 0;
    virtual HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) = 0;

private:
    std::atomic<ULONG> m_refs{1};
};

}  // namespace platform
