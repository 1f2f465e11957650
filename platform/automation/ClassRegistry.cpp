#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "platform/automation/Automation.h"

namespace {

struct ClassEntry {
    CLSID clsid;
    DWORD contexts;
    ClassFactory factory;
};

struct Registry {
    std::mutex mutex;
    std::map<std::u16string, ClassEntry> byProgId;  // key folded to lower case
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::u16string Fold(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

}  // namespace

void RegisterAutomationClass(std::u16string_view progId, const CLSID& clsid, DWORD contexts, ClassFactory factory) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.byProgId[Fold(progId)] = ClassEntry{clsid, contexts, std::move(factory)};
}

void UnregisterAutomationClass(std::u16string_view progId) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.byProgId.erase(Fold(progId));
}

HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* clsid) {
    if (progId == nullptr || clsid == nullptr) return E_INVALIDARG;
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.byProgId.find(Fold(progId));
    if (it == r.byProgId.end()) return CO_E_CLASSSTRING;
    *clsid = it->second.clsid;
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    ClassFactory factory;
    {
        Registry& r = TheRegistry();
        std::lock_guard lock(r.mutex);
        for (const auto& [name, entry] : r.byProgId) {
            if (entry.clsid == clsid && (entry.contexts & context) != 0) {
                factory = entry.factory;
                break;
            }
        }
    }
    if (!factory) return REGDB_E_CLASSNOTREG;
    IUnknown* object = factory();
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

HRESULT OleRun(IUnknown* object) {
    if (object == nullptr) return E_INVALIDARG;
    void* runnable = nullptr;
    if (FAILED(object->QueryInterface(IID_IRunnableObject, &runnable)) || runnable == nullptr) return S_OK;
    auto* r = static_cast<IRunnableObject*>(runnable);
    const HRESULT hr = r->Run();
    r->Release();
    return hr;
}
