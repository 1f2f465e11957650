#pragma once
// The wrappers that put each family of adapters into the adapter table.
// A later adapter is wired in with one line in WireAdapters (AppWiring.cpp):
//
//   RegisterAdapterFactory(kAppGoogle, CommKindAddr, &CreateBridgeAdapter<CxGAddrUtil>);
//   RegisterAdapterFactory(kAppOutlook, CommKindAddr, &CreateOutlookAdapter<OlAddrUtil>);
//   RegisterAdapterFactory(kAppPalm, CommKindAddr, &CreatePalmAdapter<PmAddrInfo>);
//
// What each family is expected to offer:
//   helper bridges (derived from CxGAppBaseUtil, CxACTBaseUtil or
//     CxLNBaseUtil): Load(), Clear(), HasError(), GetErrorText(),
//     GetDataMgr(), and optionally SetCustomFieldMap(index 0-9, id);
//   Outlook adapters: Load(), Clear(), GetRecordList(),
//     MigrateRecord(record of the kind) answering an OlMigrateResult (a
//     bool answers created or failed), optionally SetCustomFieldMap;
//   Palm Desktop record sets: LoadByFile(path), LoadByUser(user id),
//     Clear(), GetCommonList(), optionally SetCustomFieldMap.
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "app/AppAdapter.h"
#include "app/Settings.h"
#include "common/ACT/CxACTCommon.h"
#include "common/google/CxGAppCommon.h"
#include "common/lotus/CxLNCommon.h"
#include "common/outlook/OlComm.h"
#include "common/records/CommKinds.h"
#include "platform/outlook/StoreLock.h"

namespace appadapters {

// Custom field slots 1 to 10 are the indexes 0 to 9 of the adapters' maps.
template <class T>
void SetCustomFieldMap(T& object, int slot, int fieldId) {
    if constexpr (requires { object.SetCustomFieldMap(0, 0); }) object.SetCustomFieldMap(slot - 1, fieldId);
}

// A result of any type as a success flag; no result counts as success.
template <class F>
bool Succeeded(F&& call) {
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return true;
    } else {
        return static_cast<bool>(call());
    }
}

// What a target adapter's answer says about one record.
template <class F>
AppMigrateResult MigrateResultOf(F&& call) {
    using R = decltype(call());
    if constexpr (std::is_same_v<R, OlMigrateResult>) {
        switch (call()) {
        case OlMigrateCreated: return AppMigrateResult::Created;
        case OlMigrateUpdated: return AppMigrateResult::Updated;
        case OlMigrateUnchanged: return AppMigrateResult::Unchanged;
        default: return AppMigrateResult::Failed;
        }
    } else {
        return Succeeded(std::forward<F>(call)) ? AppMigrateResult::Created : AppMigrateResult::Failed;
    }
}

}  // namespace appadapters

// A helper bridge. Before each load it receives the exchange folder (also
// as its log folder), the debug log switch and level, and its
// application's account settings: the Google e-mail and password (and the
// export, server and OAuth client to read with); the
// ACT! database, user name and password, the Web API address and the
// database name (and for todos the opportunity switches); the Lotus Notes database of the kind and the ID file.
template <class Bridge>
class HelperBridgeAdapter : public AppAdapterOf<Bridge> {
public:
    explicit HelperBridgeAdapter(std::unique_ptr<Bridge> bridge) : m_bridge(std::move(bridge)) {}
    Bridge& Object() override { return *m_bridge; }

    void Configure(const AppLoadContext& c) override {
        Bridge& b = *m_bridge;
        const Settings& s = c.settings;
        b.SetFolder(c.dataFolder.c_str());
        b.SetLogFolder(c.dataFolder.c_str());
        b.SetLogLevel(s.LogLevel);
        b.SetDebug(s.EnableDebug != 0);
        if constexpr (std::is_base_of_v<CxGAppBaseUtil, Bridge>) {
            b.SetEmail(s.GGEmail);
            b.SetPassword(s.GGPassword);
            b.SetExportPath(s.GGExportPath);
            b.SetServerURL(s.GGServerURL);
            b.SetOAuthClientID(s.GGOAuthClientID);
            b.SetOAuthClientSecret(s.GGOAuthClientSecret);
            b.SetSavePassword(s.GGSavePassword != 0);
        } else if constexpr (std::is_base_of_v<CxACTBaseUtil, Bridge>) {
            b.SetPadName(s.ACTPadName);
            b.SetUserName(s.ACTUserName);
            b.SetPassword(s.ACTPassword);
            b.SetWebAPIURL(s.ACTWebAPIURL);
            b.SetDatabaseName(s.ACTDatabaseName);
            if (c.kind == CommKindTask) {
                b.SetOpp(s.Opp != 0);
                b.SetOppNotes(s.OppNotes != 0);
            }
        } else if constexpr (std::is_base_of_v<CxLNBaseUtil, Bridge>) {
            b.SetDatabaseName(c.kind == CommKindAddr ? s.LNAddrName
                                                     : (c.kind == CommKindNote ? s.LNNoteName : s.LNDateName));
            b.SetIdFile(s.LNIDFile);
        }
    }
    bool Load(const AppLoadContext&) override { return m_bridge->Load(); }
    void Clear() override { m_bridge->Clear(); }
    bool HasError() const override { return m_bridge->HasError(); }
    std::string GetErrorText() const override { return m_bridge->GetErrorText(); }
    CommListRef GetList() override { return m_bridge->GetDataMgr(); }
    void SetCustomField(int slot, int fieldId) override { appadapters::SetCustomFieldMap(*m_bridge, slot, fieldId); }

private:
    std::unique_ptr<Bridge> m_bridge;
};

// An Outlook adapter: loads the Outlook items of its kind and writes the
// picked records.
template <class Ol>
class OutlookAdapter : public AppAdapterOf<Ol> {
public:
    explicit OutlookAdapter(std::unique_ptr<Ol> adapter) : m_adapter(std::move(adapter)) {}
    Ol& Object() override { return *m_adapter; }

    bool Load(const AppLoadContext&) override {
        return appadapters::Succeeded([this] { return m_adapter->Load(); });
    }
    void Clear() override { m_adapter->Clear(); }
    CommListRef GetList() override { return m_adapter->GetRecordList(); }
    AppMigrateResult MigrateRecord(CommRecordRef record) override {
        return std::visit(
            [this](auto* rec) -> AppMigrateResult {
                if constexpr (requires { m_adapter->MigrateRecord(rec); })
                    return appadapters::MigrateResultOf([&] { return m_adapter->MigrateRecord(rec); });
                else
                    return AppMigrateResult::Failed;
            },
            record);
    }
    // Outlook keeps what it saved; the store here makes a kind's items
    // durable together, once they are all written.
    bool EndMigration(std::string& error) override { return platform::outlook::FlushStore(&error); }
    void SetCustomField(int slot, int fieldId) override { appadapters::SetCustomFieldMap(*m_adapter, slot, fieldId); }

private:
    std::unique_ptr<Ol> m_adapter;
};

// A Palm Desktop record set: loads the data file named in the settings when
// the kind's "use file" switch is on, else the data of the chosen Palm user.
template <class Pm>
class PalmAdapter : public AppAdapterOf<Pm> {
public:
    explicit PalmAdapter(std::unique_ptr<Pm> set) : m_set(std::move(set)) {}
    Pm& Object() override { return *m_set; }

    bool Load(const AppLoadContext& c) override {
        const Settings& s = c.settings;
        const std::int32_t useFile[CommKindCount] = {s.PDUseAddrFile, s.PDUseDateFile, s.PDUseTaskFile,
                                                     s.PDUseNoteFile};
        const char* fileName[CommKindCount] = {s.PDAddrFileName, s.PDDateFileName, s.PDTaskFileName, s.PDNoteFileName};
        if (c.kind < 0 || c.kind >= CommKindCount) return false;
        if (useFile[c.kind] != 0) return appadapters::Succeeded([&] { return m_set->LoadByFile(fileName[c.kind]); });
        return appadapters::Succeeded([&] { return m_set->LoadByUser(s.PDUserID); });
    }
    void Clear() override { m_set->Clear(); }
    CommListRef GetList() override { return m_set->GetCommonList(); }
    void SetCustomField(int slot, int fieldId) override { appadapters::SetCustomFieldMap(*m_set, slot, fieldId); }

private:
    std::unique_ptr<Pm> m_set;
};

template <class Bridge>
std::unique_ptr<AppAdapter> CreateBridgeAdapter() {
    return std::make_unique<HelperBridgeAdapter<Bridge>>(std::make_unique<Bridge>());
}
template <class Ol>
std::unique_ptr<AppAdapter> CreateOutlookAdapter() {
    return std::make_unique<OutlookAdapter<Ol>>(std::make_unique<Ol>());
}
template <class Pm>
std::unique_ptr<AppAdapter> CreatePalmAdapter() {
    return std::make_unique<PalmAdapter<Pm>>(std::make_unique<Pm>());
}
