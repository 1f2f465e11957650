#include "common/misc/DispCmd.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "platform/automation/Utf16.h"
#include "platform/text/TextCopy.h"

namespace {

std::string NameText(const OLECHAR* name) {
    std::u16string_view view;
    if (name) {
        std::size_t n = 0;
        while (name[n]) ++n;
        view = std::u16string_view(name, n);
    }
    return platform::Utf16ToUtf8(view);
}

}  // namespace

CDispCmd::CDispCmd(IDispatch* dispatch) { SetInterface(dispatch); }

CDispCmd::~CDispCmd() { SetInterface(nullptr); }

CDispCmd::CDispCmd(const CDispCmd& other) { SetInterface(other.m_dispatch); }

CDispCmd& CDispCmd::operator=(const CDispCmd& other) {
    if (this != &other) SetInterface(other.m_dispatch);
    return *this;
}

void CDispCmd::SetInterface(IDispatch* dispatch) {
    if (dispatch) dispatch->AddRef();
    IDispatch* old = m_dispatch;
    m_dispatch = dispatch;
    if (old) old->Release();
}

HRESULT CDispCmd::FindId(const OLECHAR* name, DISPID* id) {
    if (m_dispatch == nullptr || name == nullptr || name[0] == 0 || id == nullptr) return E_INVALIDARG;
    *id = DISPID_UNKNOWN;
    const OLECHAR* names[1] = {name};
    HRESULT hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, id);
    if (hr == DISP_E_UNKNOWNNAME) {
        // Names the server knows only in English.
        hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_US_ENGLISH, id);
        if (FAILED(hr))
            CX_LOG(kLogCritical, "Failed to call IDispatch->GetIDsOfNames, Name=%s, hr=0x%08x", NameText(name).c_str(),
                   static_cast<unsigned>(hr));
    }
    return hr;
}

HRESULT CDispCmd::Invoke(DispMember member, WORD flags, DISPPARAMS* params, VARIANT* result) {
    if (m_dispatch == nullptr) return E_INVALIDARG;
    DISPID id = member.id;
    if (member.name != nullptr || id == DISPID_UNKNOWN) {
        const HRESULT hr = FindId(member.name, &id);
        if (FAILED(hr)) return hr;
    }
    return m_dispatch->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, flags, params, result, nullptr, nullptr);
}

HRESULT CDispCmd::CallMethod(DispMember member, VARIANT* args, int argCount, VARIANT* result, WORD flags,
                             DISPID* namedIds, int namedCount) {
    if (argCount < 0 || namedCount < 0 || namedCount > argCount || (argCount > 0 && args == nullptr))
        return E_INVALIDARG;
    // The block holds the named arguments first, then the positional ones
    // from the last to the first.
    std::vector<VARIANT> block;
    block.reserve(static_cast<std::size_t>(argCount));
    for (int i = 0; i < namedCount; ++i) block.push_back(args[i]);
    for (int i = argCount - 1; i >= namedCount; --i) block.push_back(args[i]);
    DISPPARAMS params;
    params.rgvarg = block.empty() ? nullptr : block.data();
    params.cArgs = static_cast<UINT>(argCount);
    params.rgdispidNamedArgs = namedCount > 0 ? namedIds : nullptr;
    params.cNamedArgs = static_cast<UINT>(namedCount);
    return Invoke(member, flags, &params, result);
}

HRESULT CDispCmd::GetProperty(DispMember member, VARIANT* result) {
    DISPPARAMS none;
    return Invoke(member, DISPATCH_PROPERTYGET, &none, result);
}

HRESULT CDispCmd::PutProperty(DispMember member, VARIANT* value) {
    if (value == nullptr) return E_INVALIDARG;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = value;
    params.cArgs = 1;
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
    return Invoke(member, DISPATCH_PROPERTYPUT, &params, nullptr);
}

HRESULT CDispCmd::GetTyped(DispMember member, VARTYPE type, VARIANT& value) {
    const HRESULT hr = GetProperty(member, &value);
    if (FAILED(hr)) return hr;
    return value.vt == type ? S_OK : kOtherType;
}

HRESULT CDispCmd::GetString(DispMember member, char* buffer, std::size_t size) {
    VARIANT value;
    const HRESULT hr = GetTyped(member, VT_BSTR, value);
    if (hr != S_OK) return hr;
    if (buffer == nullptr || size == 0) return kOtherType;
    platform::CopyText(buffer, size, platform::Utf16ToUtf8(value.bstrVal));
    return S_OK;
}

HRESULT CDispCmd::GetInt(DispMember member, std::int32_t* out) {
    VARIANT value;
    const HRESULT hr = GetTyped(member, VT_I4, value);
    if (hr != S_OK) return hr;
    if (out == nullptr) return kOtherType;
    *out = value.lVal;
    return S_OK;
}

HRESULT CDispCmd::GetBool(DispMember member, std::uint8_t* out) {
    VARIANT value;
    const HRESULT hr = GetTyped(member, VT_BOOL, value);
    if (hr != S_OK) return hr;
    if (out == nullptr) return kOtherType;
    *out = value.boolVal != 0 ? 1 : 0;
    return S_OK;
}

HRESULT CDispCmd::GetDate(DispMember member, DATE* out) {
    VARIANT value;
    const HRESULT hr = GetTyped(member, VT_DATE, value);
    if (hr != S_OK) return hr;
    if (out == nullptr) return kOtherType;
    std::memcpy(out, &value.date, sizeof(DATE));
    return S_OK;
}

HRESULT CDispCmd::GetDispatch(DispMember member, IDispatch** out) {
    if (out) *out = nullptr;
    VARIANT value;
    const HRESULT hr = GetTyped(member, VT_DISPATCH, value);
    if (hr != S_OK) return hr;
    if (out == nullptr) return kOtherType;
    *out = value.pdispVal;
    if (*out) (*out)->AddRef();
    return S_OK;
}

HRESULT CDispCmd::PutString(DispMember member, const char* text) {
    if (text == nullptr || text[0] == '\0') return S_OK;
    VARIANT value = VARIANT::Bstr(platform::Utf8ToUtf16(text, kMaxPutUnits));
    return PutProperty(member, &value);
}

HRESULT CDispCmd::PutInt(DispMember member, std::int32_t v) {
    VARIANT value = VARIANT::I4(v);
    return PutProperty(member, &value);
}

HRESULT CDispCmd::PutBool(DispMember member, std::uint8_t v) {
    VARIANT value = VARIANT::BoolRaw(static_cast<VARIANT_BOOL>(v));
    return PutProperty(member, &value);
}

HRESULT CDispCmd::PutDate(DispMember member, DATE v) {
    if (std::fabs(v) < 0.00001) return S_OK;
    VARIANT value = VARIANT::Date(v);
    return PutProperty(member, &value);
}
