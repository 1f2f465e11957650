#pragma once
// Adapters for the driver's tests: each loads the records its test gives it
// and writes what happens to it into a journal.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/AdapterTable.h"
#include "app/AppAdapter.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "platform/text/TextCopy.h"

namespace fwtest {

struct FakePlan {
    bool loadOk = true;
    bool hasError = false;
    std::string errorText;
    // "key=value": the key fields take the key, a compared field the value.
    std::vector<std::string> records;
    bool throwOnMigrate = false;
    // What MigrateRecord answers for a key; Created for the others.
    std::map<std::string, AppMigrateResult> results;
};

inline std::map<std::pair<int, int>, FakePlan>& Plans() {
    static std::map<std::pair<int, int>, FakePlan> plans;
    return plans;
}
inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

inline void Fill(CommAddrRec& r, const std::string& key, const std::string& value) {
    platform::CopyText(r.FirstName, key);
    platform::CopyText(r.Company, value);
}
inline void Fill(CommDateRec& r, const std::string& key, const std::string& value) {
    platform::CopyText(r.Subject, key);
    platform::CopyText(r.Location, value);
}
inline void Fill(CommTaskRec& r, const std::string& key, const std::string& value) {
    platform::CopyText(r.Subject, key);
    r.Priority = static_cast<std::int32_t>(value.size());
}
inline void Fill(CommNoteRec& r, const std::string& key, const std::string& value) {
    platform::CopyText(r.Subject, key);
    platform::CopyText(r.Note, value);
}
inline std::string KeyOf(const CommAddrRec* r) { return r->FirstName; }
template <class Rec>
std::string KeyOf(const Rec* r) {
    return r->Subject;
}

template <class Mgr, class Rec>
class FakeAdapter : public AppAdapter {
public:
    FakeAdapter(int app, int kind) : m_app(app), m_kind(kind) { Note("created"); }
    ~FakeAdapter() override { Note("destroyed"); }

    void Configure(const AppLoadContext& c) override { Note("configure " + c.dataFolder); }
    bool Load(const AppLoadContext&) override {
        Note("load");
        const FakePlan& plan = Plans()[{m_app, m_kind}];
        for (const std::string& text : plan.records) {
            const std::size_t eq = text.find('=');
            auto rec = std::make_unique<Rec>();
            Fill(*rec, text.substr(0, eq), eq == std::string::npos ? std::string() : text.substr(eq + 1));
            rec->Status = 7;  // as left by the adapter
            m_mgr.AddRecord(rec.get());
        }
        return plan.loadOk;
    }
    void Clear() override {
        Note("clear");
        m_mgr.RemoveAllRecords();
    }
    bool HasError() const override { return Plans()[{m_app, m_kind}].hasError; }
    std::string GetErrorText() const override { return Plans()[{m_app, m_kind}].errorText; }
    CommListRef GetList() override { return &m_mgr; }
    AppMigrateResult MigrateRecord(CommRecordRef record) override {
        const FakePlan& spec = Plans()[{m_app, m_kind}];
        if (spec.throwOnMigrate) throw std::runtime_error("automation failed");
        std::string key;
        std::visit([&](auto* rec) { key = KeyOf(rec); }, record);
        Note("migrate " + key);
        if (auto it = spec.results.find(key); it != spec.results.end()) return it->second;
        return AppMigrateResult::Created;
    }
    void SetCustomField(int slot, int fieldId) override {
        Note("custom " + std::to_string(slot) + "=" + std::to_string(fieldId));
    }
    Mgr& List() { return m_mgr; }

private:
    void Note(const std::string& what) const {
        Journal().push_back(std::to_string(m_app) + ":" + std::to_string(m_kind) + " " + what);
    }
    int m_app;
    int m_kind;
    Mgr m_mgr;
};

template <int App, int Kind>
std::unique_ptr<AppAdapter> MakeFake() {
    if constexpr (Kind == CommKindAddr)
        return std::make_unique<FakeAdapter<CommAddrMgr, CommAddrRec>>(App, Kind);
    else if constexpr (Kind == CommKindDate)
        return std::make_unique<FakeAdapter<CommDateMgr, CommDateRec>>(App, Kind);
    else if constexpr (Kind == CommKindTask)
        return std::make_unique<FakeAdapter<CommTaskMgr, CommTaskRec>>(App, Kind);
    else
        return std::make_unique<FakeAdapter<CommNoteMgr, CommNoteRec>>(App, Kind);
}

template <int App>
void RegisterFakes() {
    RegisterAdapterFactory(App, CommKindAddr, &MakeFake<App, CommKindAddr>);
    RegisterAdapterFactory(App, CommKindDate, &MakeFake<App, CommKindDate>);
    RegisterAdapterFactory(App, CommKindTask, &MakeFake<App, CommKindTask>);
    RegisterAdapterFactory(App, CommKindNote, &MakeFake<App, CommKindNote>);
}

// The list of an application's adapter of a kind.
template <class Mgr>
Mgr* ListOf(int app, int kind) {
    AppAdapter* adapter = GetAdapterTable().Get(app, kind);
    if (adapter == nullptr) return nullptr;
    CommListRef list = adapter->GetList();
    auto* mgr = std::get_if<Mgr*>(&list);
    return mgr ? *mgr : nullptr;
}

}  // namespace fwtest
