#pragma once
// An item that accepts every property and method and records the puts, to
// see exactly what a writer sends.
#include <string>
#include <utility>
#include <vector>

#include "platform/automation/DispatchObject.h"
#include "platform/automation/Utf16.h"

namespace oltest {

class Recorder : public platform::DispatchObject {
public:
    std::vector<std::pair<std::string, VARIANT>> puts;
    std::vector<std::string> calls;

    bool Has(const std::string& name) const {
        for (const auto& p : puts)
            if (p.first == name) return true;
        return false;
    }
    const VARIANT* Value(const std::string& name) const {
        for (const auto& p : puts)
            if (p.first == name) return &p.second;
        return nullptr;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const auto& p : puts) out.push_back(p.first);
        return out;
    }

protected:
    DISPID FindMember(std::u16string_view folded) const override {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (platform::FoldName(m_names[i]) == folded) return static_cast<DISPID>(i + 1);
        m_names.emplace_back(folded);
        return static_cast<DISPID>(m_names.size());
    }
    HRESULT Call(DISPID id, WORD flags, const platform::DispatchArgs& args, VARIANT* result) override {
        const std::string name = platform::Utf16ToUtf8(m_names[static_cast<std::size_t>(id - 1)]);
        if (flags & DISPATCH_PROPERTYPUT) {
            puts.emplace_back(name, *args.PutValue());
            return S_OK;
        }
        calls.push_back(name);
        if (name == "getrecurrencepattern" && result) *result = VARIANT::Dispatch(this);
        return S_OK;
    }

private:
    mutable std::vector<std::u16string> m_names;  // folded
};

}  // namespace oltest
