#include "helpers/act/ActHelper.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "helpers/act/ActFetch.h"
#include "helpers/act/ActMessages.h"
#include "helpers/act/ActRecordWriter.h"
#include "helpers/act/ActTextExport.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/exchange/HelperWatch.h"
#include "platform/file/DataFile.h"
#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/text/AsciiCase.h"

namespace act_helper {

namespace {

// Exports larger than this are no contact list.
constexpr std::size_t kExportLimit = std::size_t{1} << 30;

struct KindInfo {
    CxHelperKindId id;
    const char* noun;  // as the status line names one record
    const char* plural;
};

const KindInfo& InfoOf(Kind kind) {
    static const KindInfo infos[] = {
        {kHelperACTAddr, "contact", "contacts"},
        {kHelperACTDate, "activity", "activities"},
        {kHelperACTTask, "to-do", "to-dos"},
        {kHelperACTNote, "note", "notes"},
    };
    return infos[static_cast<int>(kind)];
}

// One run: its session, its watch, and the password it must never show.
class Run {
public:
    Run(HelperSession& session, Kind kind) : m_session(session), m_watch(session), m_kind(kind) {
        m_password = session.Params().Text(kParamPassword);
    }

    bool Go() {
        const std::string database = m_session.Params().Text(kParamPadFile);
        if (act::IsTextExportName(database)) {
            CX_LOG(kLogDetail, "Reading ACT! %s from a text export", InfoOf(m_kind).plural);
            if (m_kind != Kind::Contacts) return Fail(ExportHoldsContactsOnly());
            return FromExport(database);
        }
        if (IsOldDatabaseName(database)) return Fail(OldDatabase(database));
        if (database.empty() && m_session.Params().Text(kParamWebApiUrl).empty()) return Fail(NothingChosen());
        CX_LOG(kLogDetail, "Reading ACT! %s through the Act! Web API", InfoOf(m_kind).plural);
        return FromWebApi(database);
    }

    void Finish(bool ok) {
        // Every failure but a stop has added its message.
        if (!ok && m_session.ErrorCount() == 0) m_session.AddError(Stopped());
        // Also on success: the program keeps an error file of an earlier
        // failed run and would show its message again.
        m_session.WriteErrors();
        m_session.WriteStatus(ok ? "Done" : "Failed");
    }

private:
    bool Fail(const std::string& message) {
        CX_LOG(kLogCritical, "%s", Scrubbed(message).c_str());
        m_session.AddError(Scrubbed(message));
        return false;
    }

    std::string Scrubbed(std::string text) const { return WithoutSecret(std::move(text), m_password); }

    void Progress(int done, int total) {
        if (!m_watch.ProgressDue(done, total)) return;
        m_session.WriteStatus(ReadingLine(InfoOf(m_kind).noun, InfoOf(m_kind).plural, done, total));
    }

    bool FromExport(const std::string& given) {
        std::string bytes;
        if (!ReadExportFile(given, bytes)) return false;
        m_session.WriteStatus(ReadingLine(InfoOf(m_kind).noun, InfoOf(m_kind).plural, 0, 0));
        // Each contact goes to the data file as it is read.
        ExchangeDataWriter out;
        if (!Open(out)) return false;
        act::ExportTable table;
        const auto result = act::ReadTextExport(
            bytes, table,
            [&](const act::Contact& c) {
                act::WriteContact(out, c);
                return true;
            },
            [&] { return m_watch.Stop(); }, [&](int done, int total) { Progress(done, total); });
        switch (result) {
        case act::ExportFailure::Empty: return Fail(ExportEmpty(given));
        case act::ExportFailure::NotATable: return Fail(ExportNotATable(given));
        case act::ExportFailure::Stopped: return false;
        case act::ExportFailure::None: break;
        }
        if (!table.unknownColumns.empty()) {
            std::string names;
            for (const std::string& n : table.unknownColumns) names += (names.empty() ? "\"" : ", \"") + n + "\"";
            CX_LOG(kLogDetail, "Columns of the export not read: %s", names.c_str());
        }
        CX_LOG(kLogDetail, "The export has %d rows, separated by %s; %d without a value skipped, %d dates unreadable",
               table.rows,
               table.separator == '\t'  ? "tabs"
               : table.separator == ';' ? "semicolons"
                                        : "commas",
               table.skipped, table.badDates);
        return Commit(out, table.contacts);
    }

    // The whole file, read in parts so that "Stop" is seen on a large one.
    bool ReadExportFile(const std::string& given, std::string& bytes) {
        platform::file::DataFile file;
        if (!file.Open(platform::ResolvePath(given), false))
            return Fail(ExportUnreadable(given, platform::file::DescribeFailure(file.Failure())));
        if (file.Size() > kExportLimit)
            return Fail(
                ExportUnreadable(given, platform::file::DescribeFailure(platform::file::OpenFailure::TooLarge)));
        // Memory is taken part by part too: touching a large buffer at once
        // takes long on a busy machine.
        const auto size = static_cast<std::size_t>(file.Size());
        bytes.reserve(size);
        constexpr std::size_t kPart = std::size_t{4} << 20;
        std::size_t done = 0;
        while (done < size) {
            if (m_watch.Stop()) return false;
            bytes.resize(done + std::min(kPart, size - done));
            const long long n = file.ReadAt(done, bytes.data() + done, bytes.size() - done);
            if (n < 0)
                return Fail(
                    ExportUnreadable(given, platform::file::DescribeFailure(platform::file::OpenFailure::Unreadable)));
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
        return true;
    }

    bool FromWebApi(const std::string& database) {
        const HelperParams& p = m_session.Params();
        act::Account account;
        account.padFile = database.empty() ? database : platform::ResolvePath(database);
        account.apiUrl = p.Text(kParamWebApiUrl);
        account.database = p.Text(kParamDatabaseName);
        account.user = p.Text(kParamUser);
        account.password = m_password;
        act::Error error;
        const auto stop = [&] { return m_watch.Stop(); };
        const auto progress = [&](int done, int total) { Progress(done, total); };
        m_session.WriteStatus(ReadingLine(InfoOf(m_kind).noun, InfoOf(m_kind).plural, 0, 0));
        switch (m_kind) {
        case Kind::Contacts: {
            std::vector<act::Contact> records;
            return Fetched(act::FetchContacts(account, records, error, stop, progress), error, database) &&
                   Write(records, act::WriteContact);
        }
        case Kind::Calendar: {
            std::vector<act::Activity> records;
            return Fetched(act::FetchCalendar(account, records, error, stop, progress), error, database) &&
                   Write(records, act::WriteActivity);
        }
        case Kind::Tasks: {
            std::vector<act::Todo> records;
            const bool opp = p.Int(kParamOpp, 1) != 0, oppNotes = p.Int(kParamOppNotes, 1) != 0;
            CX_LOG(kLogDetail, "Opportunities %s, their notes %s", opp ? "on" : "off", oppNotes ? "on" : "off");
            return Fetched(act::FetchTodos(account, opp, opp && oppNotes, records, error, stop, progress), error,
                           database) &&
                   Write(records, act::WriteTodo);
        }
        case Kind::Notes: {
            std::vector<act::Note> records;
            return Fetched(act::FetchNotes(account, records, error, stop, progress), error, database) &&
                   Write(records, act::WriteNote);
        }
        }
        return false;
    }

    bool Fetched(bool ok, const act::Error& error, const std::string& database) {
        if (ok) return true;
        CX_LOG(kLogCritical, "Reading through the Act! Web API failed: %s", Scrubbed(error.detail).c_str());
        if (error.kind == act::Error::Kind::Stopped || m_watch.Stopped()) return false;
        // A database of an older ACT! has no server behind it.
        if ((error.kind == act::Error::Kind::Unreachable || error.kind == act::Error::Kind::BadPad) &&
            HasDbaseFilesBeside(database))
            return Fail(OldDatabase(database));
        return Fail(FetchErrorText(error, database));
    }

    static bool HasDbaseFilesBeside(const std::string& database) {
        if (database.empty()) return false;
        const std::string path = platform::ResolvePath(database);
        const std::size_t slash = path.rfind('/');
        std::vector<std::string> names;
        if (!platform::file::ListFolder(slash == std::string::npos ? "." : path.substr(0, slash + 1), names,
                                        platform::file::Entries::Files))
            return false;
        for (const std::string& n : names)
            if (platform::EndsWithNoCase(n, ".dbf")) return true;
        return false;
    }

    bool Open(ExchangeDataWriter& out) {
        if (out.Open(m_session.DataPath())) return true;
        CX_LOG(kLogCritical, "Cannot create the data file %s", m_session.DataPath().c_str());
        return Fail(DataFileUnwritable(m_session.DataPath()));
    }

    bool Commit(ExchangeDataWriter& out, int count) {
        if (!out.Commit()) return Fail(DataFileUnwritable(m_session.DataPath()));
        CX_LOG(kLogDetail, "Wrote %d ACT! %s to %s", count, InfoOf(m_kind).plural, m_session.DataPath().c_str());
        return true;
    }

    template <class Record, class Writer>
    bool Write(const std::vector<Record>& records, Writer writeOne) {
        ExchangeDataWriter out;
        if (!Open(out)) return false;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (i % 256 == 0 && m_watch.Stop()) return false;
            writeOne(out, records[i]);
        }
        return Commit(out, static_cast<int>(records.size()));
    }

    HelperSession& m_session;
    HelperWatch m_watch;
    Kind m_kind;
    std::string m_password;
};

}  // namespace

int RunHelper(int argc, char** argv, Kind kind) {
    HelperSession session;
    if (!session.Open(argc, argv, &GetHelperKind(InfoOf(kind).id))) {
        std::fprintf(stderr, "%s: %s\n", argc > 0 ? argv[0] : "helper", session.GetError().c_str());
        return 2;
    }
    session.StartLog();
    session.MarkRunning(true);
    Run run(session, kind);
    const bool ok = run.Go();
    run.Finish(ok);
    session.MarkRunning(false);
    return ok ? 0 : 1;
}

}  // namespace act_helper
