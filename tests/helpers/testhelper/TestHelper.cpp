// A helper program for the tests of the helper exchange. It answers to the
// name of every helper (it is linked under each name beside the tests) and
// does what its environment asks:
//   FWTH_RECORDS   number of records to write (default 2)
//   FWTH_TEXT      the text field of every record (default "Record <n>")
//   FWTH_ERRORS    number of errors to report ("problem 1" ...)
//   FWTH_NODATA    1: leave no data file
//   FWTH_CUT       bytes to cut off the end of the finished data file
//   FWTH_DELAY_MS  work this long, writing "Step <n>" status lines
//   FWTH_HANG      1: keep running until asked to stop (at most 60 s), then
//                  leave "<folder>stopped.txt"
//   FWTH_ECHO      a file to write the command line, folder, input and
//                  parameters into
//   FWTH_EXIT      exit code
//   FWTH_SOURCE    a folder of data files written beforehand: the data file
//                  of the run's kind (and for the Google calendar its
//                  "GCal.dat") is copied from there instead of writing test
//                  records
// Test records: the header (three integers for Google, two for the
// others), a text, an integer, a flag and a date.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/exchange/HelperSession.h"

namespace {

int EnvInt(const char* name, int def) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::atoi(v) : def;
}

void Echo(const char* path, int argc, char** argv, const HelperSession& session) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "argc=" << argc << "\n";
    for (int i = 0; i < argc; ++i) out << "argv" << i << "=" << argv[i] << "\n";
    char cwd[4096] = {0};
    if (::getcwd(cwd, sizeof cwd - 1)) out << "cwd=" << cwd << "\n";
    char buf[64];
    out << "stdin=" << ::read(STDIN_FILENO, buf, sizeof buf) << "\n";
    for (const auto& [id, value] : session.Params().All()) out << "param." << id << "=" << value << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    HelperSession session;
    if (!session.Open(argc, argv)) {
        std::fprintf(stderr, "test helper: %s\n", session.GetError().c_str());
        return 2;
    }
    if (const char* echo = std::getenv("FWTH_ECHO")) Echo(echo, argc, argv, session);
    session.MarkRunning(true);

    const int delay = EnvInt("FWTH_DELAY_MS", 0);
    for (int waited = 0, step = 1; waited < delay; waited += 50, ++step) {
        session.WriteStatus("Step " + std::to_string(step));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (EnvInt("FWTH_HANG", 0) == 1) {
        for (int i = 0; i < 1200 && !session.StopRequested(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ofstream(session.Folder() + "stopped.txt") << (session.StopRequested() ? "stopped" : "gave up");
    }

    const int errors = EnvInt("FWTH_ERRORS", 0);
    for (int i = 1; i <= errors; ++i) session.AddError("problem " + std::to_string(i));
    if (errors > 0) session.WriteErrors();

    const char* source = std::getenv("FWTH_SOURCE");
    if (source != nullptr && *source != '\0' && EnvInt("FWTH_NODATA", 0) != 1) {
        const std::string dataName = session.Params().Text(session.Kind().app == kHelperAppGoogle ? 1002 : 1003);
        std::vector<std::string> names{dataName};
        if (session.Kind().id == kHelperGDate) names.push_back(session.Params().Text(1008));
        for (const std::string& name : names) {
            std::ifstream in(std::string(source) + "/" + name, std::ios::binary);
            if (!in) continue;
            std::ofstream(session.Folder() + name, std::ios::binary | std::ios::trunc) << in.rdbuf();
        }
    } else if (EnvInt("FWTH_NODATA", 0) != 1) {
        ExchangeDataWriter data;
        data.Open(session.DataPath());
        const int records = EnvInt("FWTH_RECORDS", 2);
        const char* text = std::getenv("FWTH_TEXT");
        for (int i = 1; i <= records; ++i) {
            if (session.Kind().app == kHelperAppGoogle) data.Int(i);
            data.Int(7);
            data.Int(9);
            data.Text(text ? std::string(text) : "Record " + std::to_string(i));
            data.Int(i * 10);
            data.Flag(i % 2 == 1);
            data.Date(45000.5 + i);
            data.EndRecord();
        }
        data.Commit();
        if (const int cut = EnvInt("FWTH_CUT", 0); cut > 0) {
            std::ifstream in(session.DataPath(), std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            bytes.resize(bytes.size() > static_cast<std::size_t>(cut) ? bytes.size() - cut : 0);
            std::ofstream(session.DataPath(), std::ios::binary | std::ios::trunc) << bytes;
        }
    }
    session.WriteStatus("Done");
    session.MarkRunning(false);
    return EnvInt("FWTH_EXIT", 0);
}
