// A Lotus Notes mail database exported as DXL: 20,000 calendar entries and
// to-dos (half each, a memo for every ten, a weekly series for every tenth
// entry), written by tests/helpers/lotus_dxl.py, read by the calendar and
// the to-dos helper programs as the program runs them, and by the reader
// alone into a data file. Time and peak memory of each.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/bridge/CxHelperFiles.h"
#include "common/lotus/CxLNCommon.h"
#include "common/misc/CxFile.h"
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/lotus/DxlReader.h"
#include "helpers/lotus/LnRecordWriter.h"
#include "platform/paths/Paths.h"
#include "tools/bench/BenchClock.h"

namespace {

constexpr int kRecords = 20000;

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs one helper on the export; its exit code.
int RunHelper(CxHelperKindId id, const std::string& folder, const std::string& database) {
    const CxHelperKind& kind = GetHelperKind(id);
    CxLNParamParser p;
    auto text = [&](std::int32_t pid, const std::string& value) { p.SetParam(pid, kParamTypeText, value.c_str()); };
    for (std::int32_t pid : {1000, 1001, 1002}) text(pid, "");
    text(1003, kind.dataFile);
    text(1004, folder);
    text(1005, "1");
    text(1006, kind.errorFile);
    text(1007, kind.statusFile);
    text(1008, database);
    text(1010, folder);
    text(1011, "appdebug.log");
    text(1012, "0");
    text(1013, "0");
    text(1014, "");
    const std::string params = folder + kind.paramFile;
    p.WriteToFile(params.c_str());
    const std::string name = kind.helper;
    const std::string helper = platform::ProgramFolder() + "../../app/" + name.substr(0, name.size() - 4);
    // Its own peak memory in kB, as /usr/bin/time gives it, into "memory".
    return std::system(
        ("/usr/bin/time -f %M -o " + Quote(folder + "memory") + " " + Quote(helper) + " " + Quote(params)).c_str());
}

// Writes the records of one kind as the helpers do.
struct FileSink : lotus_helper::LnRecordSink {
    ExchangeDataWriter out;
    bool Contact(const lotus_helper::LnContact& r) override { return Put(r); }
    bool Entry(const lotus_helper::LnEntry& r) override { return Put(r); }
    bool Todo(const lotus_helper::LnTodo& r) override { return Put(r); }
    bool Document(const lotus_helper::LnDocument& r) override { return Put(r); }
    template <class R>
    bool Put(const R& r) {
        lotus_helper::WriteRecord(out, r);
        out.EndRecord();
        return true;
    }
};

}  // namespace

int main(int argc, char** argv) {
    char tmpl[] = "/tmp/fwbench-XXXXXX";
    if (::mkdtemp(tmpl) == nullptr) return 1;
    const std::string folder = std::string(tmpl) + "/";
    const std::string mail = folder + "mail.dxl";
    const int count = argc > 1 ? std::atoi(argv[1]) : kRecords;
    const std::string script = std::string(FW_SOURCE_DIR) + "/tests/helpers/lotus_dxl.py";
    const double generate = Seconds([&] {
        std::system(
            ("/usr/bin/python3 " + Quote(script) + " --bench " + std::to_string(count) + " " + Quote(mail)).c_str());
    });
    const long bytes = CxFile::GetFileSize(mail.c_str());
    std::printf("export: %d entries and to-dos, %.1f MB, written in %.2f s\n", count, bytes / 1e6, generate);
    bool ok = true;
    for (CxHelperKindId id : {kHelperLNDate, kHelperLNTask}) {
        int rc = -1;
        const double took = Seconds([&] { rc = RunHelper(id, folder, mail); });
        ok = ok && rc == 0;
        long kb = 0;
        if (std::FILE* f = std::fopen((folder + "memory").c_str(), "r")) {
            if (std::fscanf(f, "%ld", &kb) != 1) kb = 0;
            std::fclose(f);
        }
        std::printf("%s: %.3f s, peak memory %.1f MB, exit %d, data file %.1f MB\n", GetHelperKind(id).helper, took,
                    kb / 1024.0, rc, CxFile::GetFileSize((folder + GetHelperKind(id).dataFile).c_str()) / 1e6);
    }

    for (lotus_helper::LnKind kind : {lotus_helper::LnKind::Calendar, lotus_helper::LnKind::Tasks}) {
        FileSink sink;
        sink.out.Open(folder + "reader.dat");
        std::string error;
        bool read = false;
        const double took = Seconds([&] { read = lotus_helper::ReadDxlFile(mail, kind, sink, error); });
        sink.out.Commit();
        ok = ok && read;
        std::printf("reader alone (%s): %.3f s, %d records, %s\n",
                    kind == lotus_helper::LnKind::Calendar ? "calendar" : "to-dos", took, sink.out.GetCount(),
                    read ? "ok" : error.c_str());
    }
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    std::printf("reader's peak memory: %.1f MB\n", self.ru_maxrss / 1024.0);
    for (const char* name : {"mail.dxl", "reader.dat", "LNDate.dat", "LNTask.dat", "LNDateParam.dat", "LNTaskParam.dat",
                             "LNDateStatus.dat", "LNTaskStatus.dat", "LNDate.ini", "LNTask.ini", "appdebug.log",
                             "LNDateErr.dat", "LNTaskErr.dat", "memory"})
        std::remove((folder + name).c_str());
    ::rmdir(tmpl);
    return ok ? 0 : 1;
}
