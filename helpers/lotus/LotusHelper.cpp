#include "helpers/lotus/LotusHelper.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/exchange/HelperSession.h"
#include "helpers/exchange/HelperWatch.h"
#include "helpers/lotus/DxlReader.h"
#include "helpers/lotus/LnRecordWriter.h"
#include "helpers/lotus/PimExport.h"
#include "platform/text/AsciiCase.h"

namespace lotus_helper {

namespace {

namespace fs = std::filesystem;

struct KindTexts {
    int helper;            // the helper kind of the exchange files
    const char* records;   // "contacts", as in "Read 10 contacts"
    const char* database;  // the database the page names
    const char* howTo;     // how to make the export this kind reads
};

const KindTexts& TextsOf(LnKind kind) {
    static const KindTexts texts[] = {
        {kHelperLNAddr, "contacts", "address book",
         "In Lotus Notes, open Contacts and choose File > Export to save them as a vCard file (.vcf), or choose "
         "Tools > DXL Utilities > Exporter to save the address book as a DXL file (.dxl). Then choose the exported "
         "file as the address book."},
        {kHelperLNDate, "calendar entries", "mail database",
         "In Lotus Notes, open the Calendar and choose File > Export to save it as an iCalendar file (.ics), or "
         "choose Tools > DXL Utilities > Exporter to save the mail database as a DXL file (.dxl). Then choose the "
         "exported file as the mail database."},
        {kHelperLNTask, "to-dos", "mail database",
         "In Lotus Notes, choose Tools > DXL Utilities > Exporter to save the mail database as a DXL file (.dxl), "
         "or export the to-dos as an iCalendar file (.ics). Then choose the exported file as the mail database."},
        {kHelperLNNote, "notebook documents", "notebook",
         "In Lotus Notes, open the notebook and choose Tools > DXL Utilities > Exporter to save it as a DXL file "
         "(.dxl). Then choose the exported file as the notebook."},
    };
    return texts[static_cast<int>(kind)];
}

enum class FileType { Dxl, VCard, ICalendar, Other };

FileType TypeOf(const fs::path& path) {
    const std::string suffix = platform::ToLowerAscii(path.extension().string());
    if (suffix == ".dxl" || suffix == ".xml") return FileType::Dxl;
    if (suffix == ".vcf" || suffix == ".vcard") return FileType::VCard;
    if (suffix == ".ics" || suffix == ".ical" || suffix == ".icalendar") return FileType::ICalendar;
    return FileType::Other;
}

bool Usable(FileType type, LnKind kind) {
    switch (type) {
    case FileType::Dxl: return true;
    case FileType::VCard: return kind == LnKind::Contacts;
    case FileType::ICalendar: return kind != LnKind::Contacts;
    case FileType::Other: break;
    }
    return false;
}

// Writes the records of its kind into the data file and leaves the others;
// shows progress and asks for "Stop" as it goes.
class DataSink : public LnRecordSink {
public:
    DataSink(LnKind kind, ExchangeDataWriter& out, HelperSession& session, HelperWatch& watch)
        : m_kind(kind), m_out(out), m_session(session), m_watch(watch) {}

    bool Contact(const LnContact& r) override { return Put(LnKind::Contacts, r); }
    bool Entry(const LnEntry& r) override { return Put(LnKind::Calendar, r); }
    bool Todo(const LnTodo& r) override { return Put(LnKind::Tasks, r); }
    bool Document(const LnDocument& r) override { return Put(LnKind::Notebook, r); }
    bool Proceed() override { return !m_watch.Stop(); }
    int Count() const { return m_out.GetCount(); }

private:
    template <class Record>
    bool Put(LnKind kind, const Record& record) {
        if (kind != m_kind) return Proceed();
        WriteRecord(m_out, record);
        m_out.EndRecord();
        const int done = m_out.GetCount();
        if (m_watch.ProgressDue(done, -1)) {
            char line[96];
            std::snprintf(line, sizeof line, "Reading Lotus Notes %s: %d ...", TextsOf(m_kind).records, done);
            m_session.WriteStatus(line);
        }
        return Proceed();
    }

    LnKind m_kind;
    ExchangeDataWriter& m_out;
    HelperSession& m_session;
    HelperWatch& m_watch;
};

bool ReadWhole(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The DXL files of a folder, in name order.
std::vector<fs::path> DxlFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (it->is_regular_file(fileEc) && TypeOf(it->path()) == FileType::Dxl) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class Run {
public:
    Run(LnKind kind, HelperSession& session, HelperWatch& watch)
        : m_kind(kind), m_texts(TextsOf(kind)), m_session(session), m_watch(watch) {}

    bool Go() {
        const std::string path =
            m_session.Params().Text(m_kind == LnKind::Contacts ? kParamContactsDatabase : kParamDatabase);
        CX_LOG(kLogDetail, "Reading Lotus Notes %s from %s", m_texts.records, path.c_str());
        std::vector<fs::path> files;
        if (!FilesOf(path, files)) return false;
        ExchangeDataWriter out;
        if (!out.Open(m_session.DataPath())) {
            CX_LOG(kLogCritical, "Cannot create the data file %s", m_session.DataPath().c_str());
            m_session.AddError("The data file " + m_session.DataPath() + " cannot be written.");
            return false;
        }
        m_session.WriteStatus(std::string("Reading Lotus Notes ") + m_texts.records + " ...");
        DataSink sink(m_kind, out, m_session, m_watch);
        for (const fs::path& file : files)
            if (!ReadFile(file, sink)) return false;
        if (!out.Commit()) {
            m_session.AddError("The data file " + m_session.DataPath() + " cannot be written.");
            return false;
        }
        if (sink.Count() == 0) CX_LOG(kLogDetail, "The export %s holds no %s.", path.c_str(), m_texts.records);
        CX_LOG(kLogDetail, "Wrote %d %s to %s", sink.Count(), m_texts.records, m_session.DataPath().c_str());
        return true;
    }

private:
    bool Fail(const std::string& message) {
        CX_LOG(kLogCritical, "%s", message.c_str());
        m_session.AddError(message);
        return false;
    }

    // The files to read for a database path; false, with the message for
    // the user, when the path names nothing this helper can read.
    bool FilesOf(const std::string& path, std::vector<fs::path>& files) {
        if (path.empty())
            return Fail(std::string("No Lotus Notes ") + m_texts.database + " was chosen. " + m_texts.howTo);
        const std::size_t bang = path.find("!!");
        if (bang != std::string::npos)
            return Fail("The " + std::string(m_texts.database) + " " + path.substr(bang + 2) +
                        " is on the Domino server " + path.substr(0, bang) + " and cannot be read here. " +
                        m_texts.howTo);
        const fs::path p(path);
        const std::string suffix = platform::ToLowerAscii(p.extension().string());
        if (suffix == ".nsf" || suffix == ".ntf" || suffix == ".nsh")
            return Fail("The Lotus Notes database " + path + " cannot be read here, only its export. " + m_texts.howTo);
        std::error_code ec;
        const fs::file_status status = fs::status(p, ec);
        if (fs::is_directory(status)) {
            files = DxlFilesIn(p);
            if (files.empty()) return Fail("The folder " + path + " holds no DXL files (.dxl). " + m_texts.howTo);
            return true;
        }
        if (!fs::exists(status)) return Fail("The file " + path + " does not exist.");
        if (!fs::is_regular_file(status)) return Fail("The file " + path + " cannot be read.");
        if (!Usable(TypeOf(p), m_kind))
            return Fail("The file " + path + " is no export of a Lotus Notes " + m_texts.database + " that holds " +
                        m_texts.records + ". " + m_texts.howTo);
        files.push_back(p);
        return true;
    }

    bool ReadFile(const fs::path& file, DataSink& sink) {
        CX_LOG(kLogDetail, "Reading %s", file.string().c_str());
        std::string error;
        bool ok;
        const FileType type = TypeOf(file);
        if (type == FileType::Dxl) {
            ok = ReadDxlFile(file.string(), m_kind, sink, error);
        } else {
            std::string bytes;
            if (!ReadWhole(file, bytes)) return Fail("The file " + file.string() + " cannot be read.");
            ok = type == FileType::VCard ? ReadVCardExport(bytes, sink, error)
                                         : ReadICalendarExport(bytes, m_kind, sink, error);
        }
        if (ok) return true;
        if (!error.empty()) return Fail(error);
        if (!m_watch.Stopped()) return Fail("The data file " + m_session.DataPath() + " cannot be written.");
        return false;
    }

    LnKind m_kind;
    const KindTexts& m_texts;
    HelperSession& m_session;
    HelperWatch& m_watch;
};

}  // namespace

int RunHelper(int argc, char** argv, LnKind kind) {
    HelperSession session;
    if (!session.Open(argc, argv, &GetHelperKind(TextsOf(kind).helper))) {
        std::fprintf(stderr, "%s: %s\n", argc > 0 ? argv[0] : "helper", session.GetError().c_str());
        return 2;
    }
    session.StartLog();
    session.MarkRunning(true);
    HelperWatch watch(session);
    const bool ok = Run(kind, session, watch).Go();
    if (watch.Stopped()) session.AddError("Reading from Lotus Notes was stopped.");
    if (session.ErrorCount() > 0) session.WriteErrors();
    session.WriteStatus(ok ? "Done" : "Failed");
    session.MarkRunning(false);
    return ok ? 0 : 1;
}

}  // namespace lotus_helper
