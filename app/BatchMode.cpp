#include "app/BatchMode.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <variant>

#include "app/AppCommon.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommCutCount.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "common/records/CommTypes.h"
#include "common/records/CxSWLog.h"
#include "platform/process/Environment.h"
#include "platform/text/TextCopy.h"
#include "platform/ui/HiddenLine.h"

namespace {

const char* const kKindNames[CommKindCount] = {"contacts", "calendar", "tasks", "notes"};
const char* const kKindTitles[CommKindCount] = {"Contacts", "Calendar", "Tasks", "Notes"};

std::optional<int> ParseInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -2147483647L || v > 2147483647L) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int> ParseSource(const std::string& name) {
    if (name == "palm") return kAppPalm;
    if (name == "google") return kAppGoogle;
    if (name == "act") return kAppACT;
    if (name == "lotus") return kAppLotus;
    return std::nullopt;
}

std::optional<int> ParseKind(const std::string& name) {
    for (int k = 0; k < CommKindCount; ++k)
        if (name == kKindNames[k]) return k;
    if (name == "memos") return CommKindNote;
    return std::nullopt;
}

std::int32_t* SyncFlag(Settings& s, int kind) {
    switch (kind) {
    case CommKindAddr: return &s.SyncAddr;
    case CommKindDate: return &s.SyncDate;
    case CommKindTask: return &s.SyncTask;
    default: return &s.SyncNote;
    }
}

void UsePalmFile(Settings& s, int kind, const std::string& path) {
    switch (kind) {
    case CommKindAddr:
        s.PDUseAddrFile = 1;
        platform::CopyText(s.PDAddrFileName, path);
        break;
    case CommKindDate:
        s.PDUseDateFile = 1;
        platform::CopyText(s.PDDateFileName, path);
        break;
    case CommKindTask:
        s.PDUseTaskFile = 1;
        platform::CopyText(s.PDTaskFileName, path);
        break;
    default:
        s.PDUseNoteFile = 1;
        platform::CopyText(s.PDNoteFileName, path);
        break;
    }
}

void UsePalmUser(Settings& s, int user) {
    s.PDUserID = user;
    s.PDUseAddrFile = s.PDUseDateFile = s.PDUseTaskFile = s.PDUseNoteFile = 0;
}

// A file path as the helper programs take it. They run in a folder of
// their own (the Lotus Notes helpers in Notes' program folder), so a
// relative path to a file or folder that exists here is made absolute,
// against the folder the user gave it in. Any other path stays as given,
// for the helper to name in its message.
std::string HelperFilePath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path given(path);
    if (given.is_absolute() || !std::filesystem::exists(given, ec)) return path;
    const std::filesystem::path absolute = std::filesystem::absolute(given, ec);
    return ec ? path : absolute.string();
}

// The Google account and export options, and the secrets from the
// environment (or the terminal). False, with the reason in `error`, when an
// account is to be read online and no password can be had.
bool UseGoogle(Settings& s, const BatchOptions& o, std::string& error) {
    if (o.googleEmail) platform::CopyText(s.GGEmail, *o.googleEmail);
    if (o.googleExport) platform::CopyText(s.GGExportPath, HelperFilePath(*o.googleExport));
    if (o.googleServer) platform::CopyText(s.GGServerURL, *o.googleServer);
    if (o.googleClientId) platform::CopyText(s.GGOAuthClientID, *o.googleClientId);
    const std::string secret = platform::EnvironmentValue("FRWY_GOOGLE_CLIENT_SECRET");
    if (!secret.empty()) platform::CopyText(s.GGOAuthClientSecret, secret);
    if (s.GGExportPath[0] != '\0') return true;
    const std::string password = platform::EnvironmentValue("FRWY_GOOGLE_PASSWORD");
    if (!password.empty()) {
        platform::CopyText(s.GGPassword, password);
        return true;
    }
    if (s.GGPassword[0] != '\0') return true;  // kept in the settings file
    if (s.GGEmail[0] == '\0') {
        error = "No Google account: give --google-email ADDR, or --google-export PATH to read an export.";
        return false;
    }
    std::string typed;
    const std::string prompt = std::string("Google password for ") + s.GGEmail + ": ";
    const bool asked = o.askPassword ? o.askPassword(prompt, typed) : platform::ReadHiddenLine(prompt, typed);
    if (asked && !typed.empty()) {
        platform::CopyText(s.GGPassword, typed);
        return true;
    }
    error =
        "No Google password: set FRWY_GOOGLE_PASSWORD or run on a terminal to be asked for it, "
        "or read an export with --google-export PATH.";
    return false;
}

// The ACT! options, and the password from the environment (or the
// terminal). False, with the reason in `error`, when a database is to be
// logged in to and no user name or password can be had. An ACT! user may
// have an empty password, so an empty answer to the prompt is taken.
bool UseAct(Settings& s, const BatchOptions& o, std::string& error) {
    if (o.actPad) platform::CopyText(s.ACTPadName, HelperFilePath(*o.actPad));
    if (o.actUser) platform::CopyText(s.ACTUserName, *o.actUser);
    if (o.actApiUrl) platform::CopyText(s.ACTWebAPIURL, *o.actApiUrl);
    if (o.actDatabase) platform::CopyText(s.ACTDatabaseName, *o.actDatabase);
    if (o.actOpportunities) s.Opp = *o.actOpportunities ? 1 : 0;
    if (s.ACTPadName[0] == '\0' && s.ACTDatabaseName[0] == '\0') {
        error = "No ACT! database: give --act-pad FILE (a .pad file or a text export), or --act-database NAME.";
        return false;
    }
    if (IsActTextExport(s.ACTPadName)) return true;
    if (s.ACTUserName[0] == '\0') {
        error = "No ACT! user name: give --act-user NAME, or read a text export with --act-pad FILE.";
        return false;
    }
    const std::string password = platform::EnvironmentValue("FRWY_ACT_PASSWORD");
    if (!password.empty()) {
        platform::CopyText(s.ACTPassword, password);
        return true;
    }
    if (s.ACTPassword[0] != '\0') return true;  // kept in the settings file
    std::string typed;
    const std::string prompt = std::string("ACT! password for ") + s.ACTUserName + ": ";
    const bool asked = o.askPassword ? o.askPassword(prompt, typed) : platform::ReadHiddenLine(prompt, typed);
    if (asked) {
        platform::CopyText(s.ACTPassword, typed);
        return true;
    }
    error =
        "No ACT! password: set FRWY_ACT_PASSWORD or run on a terminal to be asked for it, "
        "or read a text export with --act-pad FILE.";
    return false;
}

// The Lotus Notes databases. False, with the reason in `error`, when a
// chosen kind has no database to read: the helper could only fail on it.
bool UseLotus(Settings& s, const BatchOptions& o, std::string& error) {
    if (o.notesContacts) platform::CopyText(s.LNAddrName, HelperFilePath(*o.notesContacts));
    if (o.notesMail) platform::CopyText(s.LNDateName, HelperFilePath(*o.notesMail));
    if (o.notesNotebook) platform::CopyText(s.LNNoteName, HelperFilePath(*o.notesNotebook));
    const struct {
        bool chosen;
        const char* database;
        const char* what;
    } needs[] = {{s.SyncAddr != 0, s.LNAddrName, "address book: give --notes-contacts PATH"},
                 {s.SyncDate != 0 || s.SyncTask != 0, s.LNDateName, "mail database: give --notes-mail PATH"},
                 {s.SyncNote != 0, s.LNNoteName, "notebook: give --notes-notebook PATH"}};
    for (const auto& n : needs) {
        if (n.chosen && n.database[0] == '\0') {
            error = std::string("No Lotus Notes ") + n.what + " (a DXL, vCard or iCalendar export of the database).";
            return false;
        }
    }
    return true;
}

// What the comparison made of a kind's source records, and the picks.
struct KindReport {
    bool loaded = false;
    int counts[3] = {0, 0, 0};  // by CommStatus: same, new, different
    int picked = 0;
};

// Counts a source list by status and puts the records to migrate into the
// kind's picked-record list.
template <class Mgr, class Rec>
void Pick(Mgr* mgr, CxList<Rec>* picked, bool selectAll, KindReport& report) {
    if (picked == nullptr) return;
    picked->RemoveAll(false);
    if (mgr == nullptr) return;
    report.loaded = true;
    for (Rec* r = mgr->GetFirstRecord(); r != nullptr; r = mgr->GetNextRecord()) {
        // A status of no known kind counts, and is migrated, as new.
        const int status = r->Status == CommStatusSame || r->Status == CommStatusDifferent ? r->Status : CommStatusNew;
        ++report.counts[status];
        if (selectAll || status != CommStatusSame) {
            picked->Add(r);
            ++report.picked;
        }
    }
}

KindReport PickKind(int source, int kind, bool selectAll) {
    KindReport report;
    AdapterTable& table = GetAdapterTable();
    AppAdapter* adapter = table.Get(source, kind);
    const CommListRef list = adapter ? adapter->GetList() : CommListRef{};
    switch (kind) {
    case CommKindAddr: {
        auto* const* mgr = std::get_if<CommAddrMgr*>(&list);
        Pick(mgr ? *mgr : nullptr, table.SelectedAddr(), selectAll, report);
        break;
    }
    case CommKindDate: {
        auto* const* mgr = std::get_if<CommDateMgr*>(&list);
        Pick(mgr ? *mgr : nullptr, table.SelectedDate(), selectAll, report);
        break;
    }
    case CommKindTask: {
        auto* const* mgr = std::get_if<CommTaskMgr*>(&list);
        Pick(mgr ? *mgr : nullptr, table.SelectedTask(), selectAll, report);
        break;
    }
    default: {
        auto* const* mgr = std::get_if<CommNoteMgr*>(&list);
        Pick(mgr ? *mgr : nullptr, table.SelectedNote(), selectAll, report);
        break;
    }
    }
    return report;
}

// Gives the settings back as they were read, so that the run's options do
// not reach the settings file written at exit.
class SettingsRestorer {
public:
    SettingsRestorer() : m_saved(std::make_unique<Settings>(AppSettings())) {}
    ~SettingsRestorer() { AppSettings() = *m_saved; }

private:
    std::unique_ptr<Settings> m_saved;
};

}  // namespace

const char* BatchUsage() {
    return "Usage: ferrywise --batch [options]\n"
           "\n"
           "Migrates contacts, calendar events, tasks and notes into Outlook without\n"
           "windows: loads Outlook and the source, compares them, writes the picked\n"
           "records and prints what it did. Options that are left out are taken from\n"
           "the settings file (FRWY.ini in the data folder), which the run leaves as it was.\n"
           "\n"
           "  --source NAME         palm, google, act or lotus (setting \"SourceApp\")\n"
           "  --kinds LIST          comma-separated: contacts, calendar, tasks, notes\n"
           "                        (settings \"SyncAddr\", \"SyncDate\", \"SyncTask\", \"SyncNote\")\n"
           "  --palm-user ID        read the data of this Palm Desktop user (\"PDUserID\")\n"
           "  --palm-contacts FILE  read Palm contacts from this file (.dat or .mdb)\n"
           "  --palm-calendar FILE  read the Palm calendar from this file\n"
           "  --palm-tasks FILE     read the Palm to-do list from this file\n"
           "  --palm-notes FILE     read the Palm memos from this file\n"
           "  --google-email ADDR   the Google account (\"GGEmail\"); its password comes from\n"
           "                        $FRWY_GOOGLE_PASSWORD, the settings file or a prompt\n"
           "  --google-export PATH  read a Google Takeout archive or folder, or a .vcf, .ics\n"
           "                        or .csv export, instead of the account (\"GGExportPath\")\n"
           "  --google-server URL   the CardDAV/CalDAV server (\"GGServerURL\")\n"
           "  --google-client-id ID the OAuth client id for Google's servers\n"
           "                        (\"GGOAuthClientID\"); its secret comes from\n"
           "                        $FRWY_GOOGLE_CLIENT_SECRET or the settings file\n"
           "                        Google offers contacts and calendar; tasks and notes\n"
           "                        are reported as not offered\n"
           "  --act-pad FILE        the ACT! database (\"ACTPadName\"): its .pad file, or a\n"
           "                        text export (.csv or .txt, contacts only) that needs\n"
           "                        no user name or password\n"
           "  --act-user NAME       the ACT! user (\"ACTUserName\"); the password comes from\n"
           "                        $FRWY_ACT_PASSWORD, the settings file or a prompt\n"
           "  --act-api-url URL     the Act! Web API's address (\"ACTWebAPIURL\"), when it\n"
           "                        is not the server the .pad file names\n"
           "  --act-database NAME   the ACT! database to log in to (\"ACTDatabaseName\"),\n"
           "                        when there is no .pad file\n"
           "  --act-opportunities on|off\n"
           "                        load the opportunities with the tasks (\"Opp\")\n"
           "  --notes-contacts PATH the Lotus Notes address book (\"LNAddrName\"): a DXL\n"
           "                        export (.dxl, .xml or a folder of them) or a vCard\n"
           "                        export (.vcf)\n"
           "  --notes-mail PATH     the Lotus Notes mail database for the calendar and\n"
           "                        to-dos (\"LNDateName\"): a DXL or iCalendar (.ics)\n"
           "                        export\n"
           "  --notes-notebook PATH the Lotus Notes notebook (\"LNNoteName\"): a DXL or\n"
           "                        iCalendar (.ics) export\n"
           "  --store DIR           the Outlook store folder (else $FRWY_OUTLOOK_STORE,\n"
           "                        else the setting \"OLStorePath\",\n"
           "                        else ~/.local/share/norrbek/Outlook/)\n"
           "  --select all          pick every source record, not only the new and\n"
           "                        different ones\n"
           "  --dry-run             load and compare only; write nothing\n"
           "  --help                print this text\n"
           "\n"
           "Exit status: 0 when the load and the migration succeeded, 1 when either\n"
           "failed or a record could not be written, 2 for bad options.\n";
}

bool ParseBatchOptions(const std::vector<std::string>& args, BatchOptions& o, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (a == "--source") {
            if (!value(v)) return false;
            o.source = ParseSource(v);
            if (!o.source) return error = "unknown source '" + v + "' (palm, google, act or lotus)", false;
        } else if (a == "--kinds") {
            if (!value(v)) return false;
            std::vector<int> kinds;
            std::size_t start = 0;
            while (start <= v.size()) {
                const std::size_t comma = std::min(v.find(',', start), v.size());
                const std::string name = v.substr(start, comma - start);
                auto kind = ParseKind(name);
                if (!kind) return error = "unknown kind '" + name + "' (contacts, calendar, tasks, notes)", false;
                kinds.push_back(*kind);
                start = comma + 1;
            }
            o.kinds = kinds;
        } else if (a == "--palm-user") {
            if (!value(v)) return false;
            o.palmUser = ParseInt(v);
            if (!o.palmUser) return error = "the Palm user must be a number, not '" + v + "'", false;
        } else if (a == "--palm-contacts" || a == "--palm-calendar" || a == "--palm-tasks" || a == "--palm-notes") {
            if (!value(v)) return false;
            if (v.empty()) return error = "option " + a + " needs a file", false;
            const int kind = a == "--palm-contacts" ? 0 : a == "--palm-calendar" ? 1 : a == "--palm-tasks" ? 2 : 3;
            o.palmFile[kind] = v;
        } else if (a.rfind("--act-password", 0) == 0) {
            // The value is not looked at: a secret on a command line is seen by every user.
            error = "the ACT! password is not taken from the command line: set FRWY_ACT_PASSWORD, or be asked for it";
            return false;
        } else if (a == "--act-pad" || a == "--act-user" || a == "--act-api-url" || a == "--act-database") {
            if (!value(v)) return false;
            if (v.empty()) return error = "option " + a + " needs a value", false;
            if (a == "--act-pad")
                o.actPad = v;
            else if (a == "--act-user")
                o.actUser = v;
            else if (a == "--act-api-url")
                o.actApiUrl = v;
            else
                o.actDatabase = v;
        } else if (a == "--act-opportunities") {
            if (!value(v)) return false;
            if (v != "on" && v != "off")
                return error = "option --act-opportunities takes on or off, not '" + v + "'", false;
            o.actOpportunities = v == "on";
        } else if (a == "--notes-contacts" || a == "--notes-mail" || a == "--notes-notebook") {
            if (!value(v)) return false;
            if (v.empty()) return error = "option " + a + " needs a database path", false;
            if (a == "--notes-contacts")
                o.notesContacts = v;
            else if (a == "--notes-mail")
                o.notesMail = v;
            else
                o.notesNotebook = v;
        } else if (a.rfind("--notes-password", 0) == 0) {
            // The value is not looked at: a secret on a command line is seen by every user.
            error = "the Lotus Notes password is not taken from the command line";
            return false;
        } else if (a.rfind("--google-password", 0) == 0 || a.rfind("--google-client-secret", 0) == 0 ||
                   a.rfind("--password", 0) == 0) {
            // The value is not looked at: a secret on a command line is seen by every user.
            error =
                "secrets are not taken from the command line: set FRWY_GOOGLE_PASSWORD or "
                "FRWY_GOOGLE_CLIENT_SECRET, or keep them in the settings file";
            return false;
        } else if (a == "--google-email" || a == "--google-export" || a == "--google-server" ||
                   a == "--google-client-id") {
            if (!value(v)) return false;
            if (v.empty()) return error = "option " + a + " needs a value", false;
            if (a == "--google-email")
                o.googleEmail = v;
            else if (a == "--google-export")
                o.googleExport = v;
            else if (a == "--google-server")
                o.googleServer = v;
            else
                o.googleClientId = v;
        } else if (a == "--store") {
            if (!value(v)) return false;
            if (v.empty()) return error = "option --store needs a folder", false;
            o.store = v;
        } else if (a == "--select") {
            if (!value(v)) return false;
            if (v == "all")
                o.selectAll = true;
            else if (v == "new-and-different")
                o.selectAll = false;
            else
                return error = "unknown selection '" + v + "' (all or new-and-different)", false;
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    return true;
}

int RunBatch(const BatchOptions& o, std::FILE* out) {
    if (o.store) platform::SetEnvironmentValue("FRWY_OUTLOOK_STORE", *o.store);
    // Without windows the wait window is a progress line on the terminal.
    platform::SetEnvironmentValue("FRWY_WAIT_WINDOW", "terminal", false);
    SetWaitPause(0);
    InitApplication();
    int status = 0;
    {
        SettingsRestorer restore;
        Settings& s = AppSettings();
        if (o.source) s.SourceApp = *o.source;
        if (o.kinds) {
            for (int k = 0; k < CommKindCount; ++k) *SyncFlag(s, k) = 0;
            for (int k : *o.kinds) *SyncFlag(s, k) = 1;
        }
        if (o.palmUser) UsePalmUser(s, *o.palmUser);
        for (int k = 0; k < CommKindCount; ++k)
            if (o.palmFile[k]) UsePalmFile(s, k, *o.palmFile[k]);
        const int source = s.SourceApp;
        std::string accountError;
        if ((source == kAppGoogle && !UseGoogle(s, o, accountError)) ||
            (source == kAppACT && !UseAct(s, o, accountError)) ||
            (source == kAppLotus && !UseLotus(s, o, accountError))) {
            std::fprintf(out, "%s\n", accountError.c_str());
            status = 2;
        } else if (source != kAppPalm && source != kAppGoogle && source != kAppACT && source != kAppLotus) {
            std::fprintf(out, "No source chosen: give --source (palm, google, act or lotus).\n");
            status = 2;
        } else {
            SetupCustomFieldMap(source);
            CommResetCutCounts();
            const bool loaded = LoadApplications(nullptr, source, kAppOutlook);
            if (!loaded) {
                std::fprintf(out, "Loading failed; see the message above and the debug log.\n");
                status = 1;
            } else {
                KindReport reports[CommKindCount];
                for (int k = 0; k < CommKindCount; ++k)
                    if (*SyncFlag(s, k)) reports[k] = PickKind(source, k, o.selectAll);
                bool migrated = true;
                if (!o.dryRun) migrated = MigrateApplication(nullptr, kAppOutlook);
                for (int k = 0; k < CommKindCount; ++k) {
                    if (!*SyncFlag(s, k)) continue;
                    const KindReport& r = reports[k];
                    if (!r.loaded) {
                        std::fprintf(out, "%-9s not offered by this source\n", kKindTitles[k]);
                        continue;
                    }
                    std::fprintf(out, "%-9s %5d new, %5d different, %5d same; ", kKindTitles[k],
                                 r.counts[CommStatusNew], r.counts[CommStatusDifferent], r.counts[CommStatusSame]);
                    if (o.dryRun) {
                        std::fprintf(out, "%d would be migrated\n", r.picked);
                    } else {
                        std::fprintf(out, "%d written", GetMigratedCount(k));
                        if (GetFailedCount(k) > 0) {
                            std::fprintf(out, ", %d could not be written", GetFailedCount(k));
                            status = 1;
                        }
                        std::fprintf(out, "\n");
                    }
                }
                // Values cut to a member's capacity on the way, per kind.
                for (int k = 0; k < CommKindCount; ++k) {
                    const std::size_t cut = CommGetCutCount(k);
                    if (*SyncFlag(s, k) && cut > 0)
                        std::fprintf(out, "%-9s %5zu value%s shortened to fit; see the debug log\n", kKindTitles[k],
                                     cut, cut == 1 ? "" : "s");
                }
                if (!migrated) {
                    std::fprintf(out, "The migration failed; see the debug log.\n");
                    status = 1;
                }
                if (!o.dryRun) std::fprintf(out, "Migration log: %s\n", CxSWLog().GetPath());
            }
        }
    }
    ExitApplication();
    return status;
}
