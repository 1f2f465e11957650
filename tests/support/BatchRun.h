#pragma once
// Runs "ferrywise --batch" as a child program with its home, data and Wine
// folders inside a test folder, and reads the counts it reports per kind.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

#include "platform/paths/Paths.h"

namespace fwtest {

// A word for the shell, whatever it holds.
inline std::string Quote(const std::string& s) {
    std::string out = "'";
    for (const char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The built program.
inline std::string FerrywisePath() {
    // ctest names the build folder; run by hand, the test sits in <build>/tests/<folder>/.
    const char* env = std::getenv("FW_BINARY_DIR");
    const std::string bin = env ? std::string(env) : platform::ProgramFolder() + "../..";
    return bin + "/app/ferrywise";
}

// The shell command of one batch run; `root` ends with a slash.
inline std::string FerrywiseCommand(const std::string& root, const std::string& args) {
    return "env HOME=" + Quote(root + "home") + " XDG_DATA_HOME=" + Quote(root + "data") +
           " WINEPREFIX=" + Quote(root + "wine") + " " + Quote(FerrywisePath()) + " --batch " + args;
}

struct BatchRun {
    int status = -1;
    std::string output;
};

// Runs a shell command to its end: its exit status and what it wrote.
inline BatchRun RunCommand(const std::string& command) {
    BatchRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) run.output.append(buf, n);
    const int rc = ::pclose(pipe);
    run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return run;
}

// Starts a batch run without waiting for it; its output is dropped. The
// process is ferrywise itself, so a signal reaches it and waitpid sees it.
inline pid_t StartFerrywise(const std::string& root, const std::string& args) {
    const std::string command = "exec " + FerrywiseCommand(root, args) + " > /dev/null 2>&1";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

inline BatchRun RunFerrywise(const std::string& root, const std::string& args) {
    return RunCommand(FerrywiseCommand(root, args) + " 2>&1");
}

// One kind's line of the report: "Contacts  3 new, 0 different, 2 same; 3 written".
struct KindCounts {
    int created = -1, different = -1, same = -1, written = -1;
};

inline std::map<std::string, KindCounts> BatchReport(const std::string& output) {
    std::map<std::string, KindCounts> lines;
    const std::regex line(
        R"((Contacts|Calendar|Tasks|Notes) +(\d+) new, +(\d+) different, +(\d+) same; (\d+) written)");
    for (std::sregex_iterator it(output.begin(), output.end(), line), end; it != end; ++it) {
        KindCounts k;
        k.created = std::stoi((*it)[2]);
        k.different = std::stoi((*it)[3]);
        k.same = std::stoi((*it)[4]);
        k.written = std::stoi((*it)[5]);
        lines[(*it)[1]] = k;
    }
    return lines;
}

}  // namespace fwtest
