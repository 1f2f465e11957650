#include "platform/automation/Automation.h"

#include <cstring>
#include <utility>

bool operator==(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

const IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IRunnableObject = {0x00000126, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

VARIANT::~VARIANT() { VariantClear(this); }

VARIANT::VARIANT(const VARIANT& other) : lVal(0) { VariantCopy(this, &other); }

VARIANT& VARIANT::operator=(const VARIANT& other) {
    if (this != &other) VariantCopy(this, &other);
    return *this;
}

VARIANT::VARIANT(VARIANT&& other) noexcept : vt(other.vt), dblVal(other.dblVal), bstrVal(std::move(other.bstrVal)) {
    other.vt = VT_EMPTY;
    other.dblVal = 0;
    other.bstrVal.clear();
}

VARIANT& VARIANT::operator=(VARIANT&& other) noexcept {
    if (this != &other) {
        VariantClear(this);
        vt = other.vt;
        dblVal = other.dblVal;
        bstrVal = std::move(other.bstrVal);
        other.vt = VT_EMPTY;
        other.dblVal = 0;
        other.bstrVal.clear();
    }
    return *this;
}

VARIANT VARIANT::I4(std::int32_t v) {
    VARIANT r;
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT VARIANT::R8(double v) {
    VARIANT r;
    r.vt = VT_R8;
    r.dblVal = v;
    return r;
}

VARIANT VARIANT::Date(DATE v) {
    VARIANT r;
    r.vt = VT_DATE;
    r.date = v;
    return r;
}

VARIANT VARIANT::Bool(bool v) { return BoolRaw(v ? VARIANT_TRUE : VARIANT_FALSE); }

VARIANT VARIANT::BoolRaw(VARIANT_BOOL v) {
    VARIANT r;
    r.vt = VT_BOOL;
    r.boolVal = v;
    return r;
}

VARIANT VARIANT::Bstr(std::u16string v) {
    VARIANT r;
    r.vt = VT_BSTR;
    r.bstrVal = std::move(v);
    return r;
}

VARIANT VARIANT::Dispatch(IDispatch* v) {
    VARIANT r;
    r.vt = VT_DISPATCH;
    r.pdispVal = v;
    if (v) v->AddRef();
    return r;
}

VARIANT VARIANT::I4Ref(std::int32_t* v) {
    VARIANT r;
    r.vt = VT_BYREF | VT_I4;
    r.plVal = v;
    return r;
}

void VariantInit(VARIANT* v) {
    if (v == nullptr) return;
    v->vt = VT_EMPTY;
    v->dblVal = 0;
    v->bstrVal.clear();
}

HRESULT VariantClear(VARIANT* v) {
    if (v == nullptr) return E_INVALIDARG;
    if (v->vt == VT_DISPATCH && v->pdispVal != nullptr) {
        IDispatch* d = v->pdispVal;
        v->pdispVal = nullptr;
        d->Release();
    }
    v->vt = VT_EMPTY;
    v->dblVal = 0;
    v->bstrVal.clear();
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dst, const VARIANT* src) {
    if (dst == nullptr || src == nullptr) return E_INVALIDARG;
    if (dst == src) return S_OK;
    if (src->vt == VT_DISPATCH && src->pdispVal) src->pdispVal->AddRef();
    VariantClear(dst);
    dst->vt = src->vt;
    dst->dblVal = src->dblVal;
    if (src->vt == VT_BSTR) dst->bstrVal = src->bstrVal;
    return S_OK;
}
