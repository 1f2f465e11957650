#include "platform/automation/DispatchObject.h"

namespace platform {

namespace {

std::atomic<long> g_live{0};

std::size_t Length(const OLECHAR* s) {
    std::size_t n = 0;
    while (s[n] != 0) ++n;
    return n;
}

}  // namespace

DispatchArgs::DispatchArgs(const DISPPARAMS* params) : m_params(params) {
    if (params == nullptr || params->rgvarg == nullptr) return;
    std::size_t named = params->cNamedArgs;
    if (named > params->cArgs) named = params->cArgs;
    for (std::size_t i = 0; i < named; ++i) {
        if (params->rgdispidNamedArgs && params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) m_put = &params->rgvarg[i];
    }
    m_positional = params->cArgs - named;
}

const VARIANT* DispatchArgs::At(std::size_t i) const {
    if (i >= m_positional) return nullptr;
    // Positional arguments follow the named ones, last argument first.
    const std::size_t named = m_params->cArgs - m_positional;
    return &m_params->rgvarg[named + (m_positional - 1 - i)];
}

bool VariantToInt(const VARIANT& v, std::int32_t& out) {
    switch (v.vt) {
    case VT_I4: out = v.lVal; return true;
    case VT_BYREF | VT_I4:
        if (v.plVal == nullptr) return false;
        out = *v.plVal;
        return true;
    case VT_BOOL: out = v.boolVal != 0 ? -1 : 0; return true;
    case VT_R8:
        if (!(v.dblVal > -2147483649.0 && v.dblVal < 2147483648.0)) return false;
        out = static_cast<std::int32_t>(v.dblVal);
        return true;
    default: return false;
    }
}

HRESULT DispatchArgs::GetInt(std::size_t i, std::int32_t& out) const {
    const VARIANT* v = At(i);
    if (v == nullptr) return DISP_E_PARAMNOTFOUND;
    return VariantToInt(*v, out) ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT DispatchArgs::GetBool(std::size_t i, bool& out) const {
    std::int32_t n = 0;
    const HRESULT hr = GetInt(i, n);
    if (SUCCEEDED(hr)) out = n != 0;
    return hr;
}

HRESULT DispatchArgs::GetString(std::size_t i, std::u16string& out) const {
    const VARIANT* v = At(i);
    if (v == nullptr) return DISP_E_PARAMNOTFOUND;
    if (v->vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    out = v->bstrVal;
    return S_OK;
}

namespace {

void FoldInto(std::u16string_view name, char16_t* out) {
    for (const char16_t c : name) *out++ = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

std::u16string FoldName(std::u16string_view name) {
    std::u16string out(name.size(), u'\0');
    FoldInto(name, out.data());
    return out;
}

DispatchObject::DispatchObject() { ++g_live; }
DispatchObject::~DispatchObject() { --g_live; }

long DispatchObject::LiveObjects() { return g_live.load(); }

HRESULT DispatchObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() { return ++m_refs; }

ULONG DispatchObject::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, const OLECHAR* const* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (names[i] == nullptr) return E_INVALIDARG;
        if (i > 0) continue;  // names after the first would be argument names; none are known
        const std::u16string_view name(names[i], Length(names[i]));
        // Folded in place when short, as every member name is.
        char16_t folded[64];
        DISPID id;
        if (name.size() <= std::size(folded)) {
            FoldInto(name, folded);
            id = FindMember(std::u16string_view(folded, name.size()));
        } else {
            id = FindMember(FoldName(name));
        }
        if (id == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        ids[i] = id;
    }
    if (count > 1) hr = DISP_E_UNKNOWNNAME;
    return hr;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, void*, UINT*) {
    DISPPARAMS none;
    const DispatchArgs args(params ? params : &none);
    if (result) VariantClear(result);
    if ((flags & DISPATCH_PROPERTYPUT) && args.PutValue() == nullptr) return DISP_E_PARAMNOTOPTIONAL;
    return Call(id, flags, args, result);
}

}  // namespace platform
