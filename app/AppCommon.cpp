#include "app/AppCommon.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "app/AppDescriptions.h"
#include "common/bridge/CxHelperRunner.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFailure.h"
#include "common/misc/CxIniUtil.h"
#include "common/misc/CxWaitWindow.h"
#include "common/palm/PmDBUtil.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "common/records/CxSWLog.h"
#include "platform/file/Folder.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/outlook/Store.h"
#include "platform/outlook/StoreLock.h"
#include "platform/paths/Paths.h"
#include "platform/process/Environment.h"
#include "platform/text/TextCopy.h"

namespace {

struct DriverState {
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    CxIniUtil ini{nullptr, "norrbek.ini"};
    int pauseMs = 200;
    int migrated[CommKindCount] = {};  // created or updated by the last migration, per kind
    int failed[CommKindCount] = {};    // records the last migration could not write, per kind
    std::string appliedStore;          // the value this driver gave the store variable, when it gave one
    std::string loadedStore;           // the store folder of the last Outlook load
};

// The variable that names the Outlook store folder to the Outlook stand-in.
constexpr const char* kStoreVariable = "FRWY_OUTLOOK_STORE";

DriverState& State() {
    static DriverState state;
    return state;
}

void Pause() {
    if (State().pauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(State().pauseMs));
}

// The pattern with its first "%s" replaced by the text.
std::string Fill(const char* pattern, const std::string& text) {
    std::string out = pattern ? pattern : "";
    const std::size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, text);
    return out;
}

// Marks a source list against the target list of the same kind.
void Mark(const CommListRef& source, const CommListRef& target) {
    std::visit(
        [](auto s, auto t) {
            if constexpr (std::is_same_v<decltype(s), decltype(t)> && std::is_pointer_v<decltype(s)>) {
                if (s != nullptr && t != nullptr) s->MarkAgainst(t);
            }
        },
        source, target);
}

// The wait window of one migration, closed however the migration ends.
class WaitWindowScope {
public:
    explicit WaitWindowScope(platform::WindowHandle owner) { StartWaitWindow(owner); }
    ~WaitWindowScope() { StopWaitWindow(); }
    WaitWindowScope(const WaitWindowScope&) = delete;
    WaitWindowScope& operator=(const WaitWindowScope&) = delete;
};

// Each picked record: its log entry up to the write, the write, and the
// entry's closing line telling how the write went. Counts the records
// created or updated.
template <class Rec, class Begin>
void MigrateList(CxList<Rec>* list, AppAdapter* adapter, CxSWLog& log, int kind, Begin begin) {
    if (list == nullptr || adapter == nullptr) return;
    const std::size_t count = list->GetCount();
    for (std::size_t i = 0; i < count; ++i) {
        Rec* rec = list->GetAt(i);
        begin(rec);
        const AppMigrateResult result = adapter->MigrateRecord(rec);
        log.EndEntry(kind, result != AppMigrateResult::Failed);
        if (result == AppMigrateResult::Created || result == AppMigrateResult::Updated) ++State().migrated[kind];
        if (result == AppMigrateResult::Failed) ++State().failed[kind];
    }
    // The kind is done once what it wrote is kept; if that fails, nothing
    // it wrote can be counted on.
    std::string error;
    if (!adapter->EndMigration(error)) {
        CX_LOG(kLogCritical, "The Outlook items written could not be made durable: %s", error.c_str());
        State().failed[kind] += State().migrated[kind];
        State().migrated[kind] = 0;
    }
}

// Shows a failure: the driver's message, and the cause (the file and what
// was wrong) as its second line when one is known.
void ReportFailure(platform::WindowHandle owner, const std::string& message, const std::string& cause) {
    CX_LOG(kLogCritical, "%s", message.c_str());
    if (!cause.empty()) CX_LOG(kLogCritical, "%s", cause.c_str());
    const std::string text = cause.empty() ? message : message + "\n" + cause;
    platform::CurrentUserInterface().MessageBox(owner, text, "Error", platform::MessageIcon::Error);
}

// Logs what the store skipped; an item file that exists but cannot be read
// fails the kind's load (its record would otherwise be created again).
bool CheckOutlookFolder(int kind) {
    for (const std::string& note : platform::outlook::TakeStoreNotes()) CX_LOG(kLogCritical, "%s", note.c_str());
    const std::vector<std::string> unreadable = platform::outlook::UnreadableItems(kind);
    for (const std::string& path : unreadable)
        CX_LOG(kLogCritical, "Cannot read the Outlook item file: %s", path.c_str());
    if (unreadable.empty()) return true;
    CxNoteFailure(unreadable.front(), "the file cannot be read.");
    return false;
}

// Ends the store's lock however the migration ends.
class StoreLockScope {
public:
    StoreLockScope() = default;
    ~StoreLockScope() { platform::outlook::UnlockStore(); }
    StoreLockScope(const StoreLockScope&) = delete;
    StoreLockScope& operator=(const StoreLockScope&) = delete;
};

bool MigrateToOutlook(platform::WindowHandle owner) {
    for (int& n : State().migrated) n = 0;
    for (int& n : State().failed) n = 0;
    // The log holds names, addresses and phone numbers: it is kept only in
    // the private data folder, never in whatever folder is current. Without
    // it a migration would leave no account of itself, so it does not run.
    CxSWLog log;
    if (!log.GetFolderError().empty()) {
        ReportFailure(owner, "Migrating information to Outlook failed.",
                      "The migration log cannot be kept: " + log.GetFolderError() + ".");
        return false;
    }
    if (!log.OpenLog()) CX_LOG(kLogCritical, "Cannot create the migration log: %s", log.GetPath());
    log.WriteLogLine("Start migrating information to Outlook ...");
    {
        WaitWindowScope wait(owner);
        SetWaitMessage("Migrating information to Outlook ...");
        Pause();
        const Settings& s = AppSettings();
        AdapterTable& table = GetAdapterTable();
        if (s.SyncAddr)
            MigrateList(table.SelectedAddr(), table.Get(kAppOutlook, CommKindAddr), log, CommKindAddr,
                        [&log](const CommAddrRec* rec) { log.BeginContact(rec); });
        if (s.SyncDate)
            MigrateList(table.SelectedDate(), table.Get(kAppOutlook, CommKindDate), log, CommKindDate,
                        [&log](const CommDateRec* rec) { log.BeginCalendar(rec); });
        if (s.SyncTask)
            MigrateList(table.SelectedTask(), table.Get(kAppOutlook, CommKindTask), log, CommKindTask,
                        [&log](const CommTaskRec* rec) { log.BeginTask(rec); });
        if (s.SyncNote)
            MigrateList(table.SelectedNote(), table.Get(kAppOutlook, CommKindNote), log, CommKindNote,
                        [&log](const CommNoteRec* rec) { log.BeginNote(rec); });
    }
    int failed = 0;
    for (int n : State().failed) failed += n;
    if (failed == 0) {
        log.WriteLogLine("Migrating information to Outlook completed successfully.");
    } else {
        char line[128];
        std::snprintf(line, sizeof line,
                      "Migrating information to Outlook completed with errors: %d item(s) could not be written.",
                      failed);
        log.WriteLogLine(line);
    }
    log.CloseLog();
    return true;
}

// The exchange folder of a helper application; empty for the others or
// when it cannot be made.
std::string ExchangeFolder(const AppDescription& app) {
    char buffer[260];
    if (app.helperApp && GetDataFolder(buffer, sizeof buffer)) return buffer;
    return std::string();
}

// One kind's load into its adapter: cleared first unless it was just made,
// handed its settings, its status file watched, then loaded.
bool LoadKind(const AppDescription& app, AppAdapter& adapter, int kind, bool clear, const std::string& folder,
              std::string& errorText) {
    if (clear) adapter.Clear();
    const AppLoadContext context{AppSettings(), folder, kind};
    adapter.Configure(context);
    if (app.statusFiles[kind] != nullptr) WatchStatusFile(Fill(app.statusFiles[kind], folder).c_str());
    bool ok = adapter.Load(context) && !adapter.HasError();
    errorText = adapter.GetErrorText();
    if (app.appId == kAppOutlook) ok = CheckOutlookFolder(kind) && ok;
    return ok;
}

}  // namespace

Settings& AppSettings() { return *State().settings; }

const char* GetSettingsFilePath() { return State().ini.GetFileName(); }

void SetWaitPause(int ms) { State().pauseMs = ms < 0 ? 0 : ms; }

int GetMigratedCount(int kind) { return kind >= 0 && kind < CommKindCount ? State().migrated[kind] : 0; }

int GetFailedCount(int kind) { return kind >= 0 && kind < CommKindCount ? State().failed[kind] : 0; }

bool GetDataFolder(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return false;
    buffer[0] = '\0';
    const std::string folder = platform::DataFolder();
    if (folder.empty() || folder.size() >= size) return false;
    platform::CopyText(buffer, size, folder);
    return true;
}

void InitApplication() {
    DriverState& state = State();
    state.ini.SetFileName((platform::ProgramFolder() + "norrbek.ini").c_str());
    char folder[260];
    const bool haveFolder = GetDataFolder(folder, sizeof folder);
    if (haveFolder) state.ini.SetFileName((std::string(folder) + "FRWY.ini").c_str());
    ReadSettings(*state.settings, state.ini);
    // The code page that Palm Desktop .dat texts are decoded from.
    PmDBUtil::SetCodePage(state.settings->PDCodePage);

    CxDebugUtil& debug = CxDebugUtil::Instance();
    if (haveFolder) debug.SetFolder(folder);
    debug.Enable(state.settings->EnableDebug != 0);
    debug.SetLevel(state.settings->LogLevel);

    AdapterTable& table = GetAdapterTable();
    table.DestroyAll();
    table.CreateSelectedLists();
    // Outlook's side: the store folder of this user, reached as "Outlook.Application".
    UseOutlookStore();
    platform::outlook::RegisterOutlookApplication();
    WireAdapters();
}

void ExitApplication() {
    DriverState& state = State();
    if (!WriteSettings(*state.settings, state.ini))
        CX_LOG(kLogCritical, "Failed to write the settings file: %s", state.ini.GetFileName());
    AdapterTable& table = GetAdapterTable();
    table.DestroyAll();
    table.DestroySelectedLists();
    CxHelperRunners::DestroyAll();
    platform::outlook::UnlockStore();
    // The store folder of the settings goes with them.
    if (!state.appliedStore.empty() && platform::EnvironmentValue(kStoreVariable) == state.appliedStore)
        platform::SetEnvironmentValue(kStoreVariable, std::string());
    state.appliedStore.clear();
    state.loadedStore.clear();
}

bool OutlookStoreFromEnvironment() {
    const std::string named = platform::EnvironmentValue(kStoreVariable);
    return !named.empty() && named != State().appliedStore;
}

std::string UseOutlookStore() {
    DriverState& state = State();
    if (!OutlookStoreFromEnvironment()) {
        const std::string wanted(platform::TextView(state.settings->OLStorePath));
        if (wanted != state.appliedStore || platform::EnvironmentValue(kStoreVariable) != wanted) {
            platform::SetEnvironmentValue(kStoreVariable, wanted);
            state.appliedStore = wanted;
        }
    }
    return platform::outlook::Store::DefaultRoot();
}

namespace {

// Makes the store folder of the settings the one Outlook opens. When it is
// another folder than the one loaded before, every list of the earlier
// load goes (the source records point at their counterparts in the other
// store's lists) and the other store's lock is let go; true then.
bool SwitchOutlookStore() {
    DriverState& state = State();
    const std::string root = UseOutlookStore();
    const bool switched = !state.loadedStore.empty() && root != state.loadedStore;
    if (switched) {
        CX_LOG(kLogDetail, "The Outlook store changes from %s to %s.", state.loadedStore.c_str(), root.c_str());
        AdapterTable& table = GetAdapterTable();
        table.DestroyAll();
        table.DestroySelectedLists();
        table.CreateSelectedLists();
        platform::outlook::UnlockStore();
    }
    state.loadedStore = root;
    return switched;
}

}  // namespace

void SetupCustomFieldMap(int sourceApp) {
    const Settings& s = AppSettings();
    const std::int32_t* ids = nullptr;
    std::int32_t on = 0;
    switch (sourceApp) {
    case kAppACT: ids = s.ACTCustomID, on = s.ACTCustom; break;
    case kAppGoogle: ids = s.GGCustomID, on = s.GGCustom; break;
    case kAppOutlook: ids = s.OLCustomID, on = s.OLCustom; break;
    case kAppLotus: ids = s.LNCustomID, on = s.LNCustom; break;
    case kAppPalm: ids = s.PDCustomID, on = s.PDCustom; break;
    default: return;
    }
    AppAdapter* adapter = GetAdapterTable().GetOrCreate(sourceApp, CommKindAddr);
    if (adapter == nullptr) return;
    for (int slot = 1; slot <= 9; ++slot) adapter->SetCustomField(slot, on ? ids[slot] : 0);
}

bool LoadApplications(platform::WindowHandle owner, int sourceApp, int targetApp) {
    if (sourceApp == targetApp) return true;
    // Another store: the source's contact adapter is made anew, with its field map.
    if (targetApp == kAppOutlook && SwitchOutlookStore()) SetupCustomFieldMap(sourceApp);
    if (!LoadApplication(owner, targetApp, kAppNone)) return false;
    return LoadApplication(owner, sourceApp, targetApp);
}

bool LoadApplication(platform::WindowHandle owner, int appId, int compareWith) {
    const AppDescription* app = DescribeApp(appId);
    if (app == nullptr) {
        CX_LOG(kLogCritical, "No adapter can load the application %d.", appId);
        return false;
    }
    if (appId == kAppOutlook) SwitchOutlookStore();
    StartWaitWindow(owner);
    SetWaitMessage(app->loadingMessage);
    Pause();
    const std::string folder = ExchangeFolder(*app);
    const Settings& s = AppSettings();
    const std::int32_t sync[CommKindCount] = {s.SyncAddr, s.SyncDate, s.SyncTask, s.SyncNote};
    AdapterTable& table = GetAdapterTable();
    // One migration per store: the lock is held from the load of the
    // target until its migration ended.
    if (appId == kAppOutlook && !platform::outlook::LockStore()) {
        int first = 0;
        while (first < CommKindCount - 1 && (sync[first] == 0 || app->kindErrors[first] == nullptr)) ++first;
        StopWaitWindow();
        // A folder that cannot be made (a chosen one may lie anywhere) is no store in use.
        const std::string root = platform::outlook::Store::DefaultRoot();
        ReportFailure(owner, Fill(app->kindErrors[first], std::string()),
                      platform::file::IsFolder(root) ? std::string("The Outlook store is in use by another migration.")
                                                     : "The Outlook store folder cannot be made: " + root);
        return false;
    }
    for (int kind = 0; kind < CommKindCount; ++kind) {
        if (sync[kind] == 0 || app->kindMessages[kind] == nullptr) continue;
        SetWaitMessage(app->kindMessages[kind]);
        Pause();
        bool created = false;
        AppAdapter* adapter = table.GetOrCreate(appId, kind, &created);
        bool ok = false;
        std::string errorText;
        CxClearFailure();
        if (adapter != nullptr) {
            ok = LoadKind(*app, *adapter, kind, !created, folder, errorText);
        } else {
            errorText = "this application cannot be loaded by this program";
        }
        if (!ok) {
            StopWaitWindow();
            ReportFailure(owner, Fill(app->kindErrors[kind], errorText), CxTakeFailure());
            return false;
        }
        if (compareWith != kAppNone)
            if (AppAdapter* other = table.Get(compareWith, kind)) Mark(adapter->GetList(), other->GetList());
    }
    StopWaitWindow();
    return true;
}

bool ReloadApplicationKind(platform::WindowHandle owner, int appId, int kind, int compareWith) {
    const AppDescription* app = DescribeApp(appId);
    AppAdapter* adapter = kind >= 0 && kind < CommKindCount ? GetAdapterTable().Get(appId, kind) : nullptr;
    if (app == nullptr || adapter == nullptr) {
        CX_LOG(kLogCritical, "No loaded adapter of application %d for kind %d to load again.", appId, kind);
        return false;
    }
    const WaitWindowScope wait(owner);
    SetWaitMessage(app->kindMessages[kind] != nullptr ? app->kindMessages[kind] : app->loadingMessage);
    std::string errorText;
    CxClearFailure();
    const bool ok = LoadKind(*app, *adapter, kind, true, ExchangeFolder(*app), errorText);
    if (!ok) {
        CX_LOG(kLogCritical, "%s", Fill(app->kindErrors[kind], errorText).c_str());
        const std::string cause = CxTakeFailure();
        if (!cause.empty()) CX_LOG(kLogCritical, "%s", cause.c_str());
        return false;
    }
    if (compareWith != kAppNone && compareWith != appId)
        if (AppAdapter* other = GetAdapterTable().Get(compareWith, kind)) Mark(adapter->GetList(), other->GetList());
    return true;
}

bool MigrateApplication(platform::WindowHandle owner, int targetApp) {
    if (targetApp != kAppOutlook) return false;
    const StoreLockScope unlock;
    try {
        return MigrateToOutlook(owner);
    } catch (const std::exception& e) {
        CX_LOG(kLogCritical, "The migration to Outlook stopped with an exception: %s", e.what());
    } catch (...) {
        CX_LOG(kLogCritical, "The migration to Outlook stopped with an exception.");
    }
    CxDebugUtil& debug = CxDebugUtil::Instance();
    platform::CurrentUserInterface().ShowErrorReport(owner, {debug.GetFolder(), debug.GetLogPath(), std::string()});
    return false;
}
