// Runs the whole batch migration as a user does: "ferrywise --batch" as a
// child program moves N generated Palm contacts into an empty Outlook store,
// then runs again into the filled store. Prints for each run the wall time
// and the child's peak memory beside the time of copying the resulting store
// folder with "cp -r" (the cost of writing its files), and the ratios
// against the goals. It reports; it does not judge.
//
// Usage: bench_batch [N ...]           (default: 10000 50000)
// The work folder is made in $FW_BENCH_DIR, else in the build folder, so
// that the store sits on a disk like a user's, not on a memory file system.
#include <sys/resource.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tools/palmdat/PalmDatGenerated.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr double kEmptyGoal = 3.0;   // x the copy time
constexpr double kRerunGoal = 1.25;  // x the copy time
constexpr double kMemoryGoalGB = 2.2;

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakGB = 0;  // max resident set
    std::string output;
};

// Runs `argv` with `env`, its output into `log`; times it and reads its
// peak memory from wait4.
ChildRun Run(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& log) {
    ChildRun run;
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    envp.push_back(nullptr);
    std::fflush(stdout);  // else the child would print what is buffered again
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) return run;
    if (pid == 0) {
        FILE* out = std::freopen(log.c_str(), "w", stdout);
        if (out != nullptr) ::dup2(::fileno(out), 2);
        ::execve(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakGB = static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e9;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    run.output = text.str();
    return run;
}

// The caller's environment with the program's home, data and Wine folders
// inside the work folder, and no wait window.
std::vector<std::string> ChildEnvironment(const std::string& work) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string var = *e;
        const std::string name = var.substr(0, var.find('='));
        if (name != "HOME" && name != "XDG_DATA_HOME" && name != "WINEPREFIX" && name != "FRWY_WAIT_WINDOW" &&
            name != "FRWY_OUTLOOK_STORE")
            env.push_back(var);
    }
    env.push_back("HOME=" + work + "/home");
    env.push_back("XDG_DATA_HOME=" + work + "/data");
    env.push_back("WINEPREFIX=" + work + "/wine");
    env.push_back("FRWY_WAIT_WINDOW=none");
    return env;
}

std::string ContactsLine(const std::string& output) {
    std::smatch m;
    return std::regex_search(output, m, std::regex("Contacts +[^\n]*")) ? m.str() : "(no report line)";
}

std::string FileSystemOf(const std::string& path) {
    struct statfs info {};
    if (::statfs(path.c_str(), &info) != 0) return "?";
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x01021994UL: return "tmpfs";
    case 0xEF53UL: return "ext4";
    case 0x58465342UL: return "xfs";
    case 0x9123683EUL: return "btrfs";
    case 0x794C7630UL: return "overlayfs";
    default: return "type " + std::to_string(static_cast<unsigned long>(info.f_type));
    }
}

void Report(const char* what, const ChildRun& run, double copySeconds, double goal) {
    const double ratio = copySeconds > 0 ? run.seconds / copySeconds : 0;
    std::printf("  %-22s %7.2f s  %5.2fx copy (goal < %.2fx: %s)  peak %.2f GB (goal < %.1f GB: %s)%s\n", what,
                run.seconds, ratio, goal, ratio < goal ? "met" : "MISSED", run.peakGB, kMemoryGoalGB,
                run.peakGB < kMemoryGoalGB ? "met" : "MISSED", run.ok ? "" : "  RUN FAILED");
    std::printf("  %-22s %s\n", "", ContactsLine(run.output).c_str());
}

bool BenchOne(const std::string& ferrywise, const std::string& base, int count) {
    const std::string work = base + "/n" + std::to_string(count);
    fs::create_directories(work + "/home");
    const std::string source = work + "/address.dat", store = work + "/store";
    std::string error;
    if (!palmdat::WriteGenerated(source, palmdat::Kind::Address, palmdat::Format::V414, count, &error)) {
        std::printf("cannot write %s: %s\n", source.c_str(), error.c_str());
        return false;
    }
    const std::vector<std::string> migrate = {ferrywise,  "--batch",         "--source", "palm",    "--kinds",
                                              "contacts", "--palm-contacts", source,     "--store", store};
    const std::vector<std::string> env = ChildEnvironment(work);
    const ChildRun empty = Run(migrate, env, work + "/first.log");
    const ChildRun rerun = Run(migrate, env, work + "/second.log");
    const ChildRun copy = Run({"/bin/cp", "-r", store, work + "/copy"}, env, work + "/copy.log");

    std::uintmax_t bytes = 0, files = 0;
    for (const auto& e : fs::directory_iterator(store + "/Contacts")) {
        bytes += e.file_size();
        ++files;
    }
    std::printf("%d contacts (source %.1f MB; store %ju files, %.1f MB; copied with cp -r in %.2f s)\n", count,
                static_cast<double>(fs::file_size(source)) / 1e6, files, static_cast<double>(bytes) / 1e6,
                copy.seconds);
    Report("into an empty store", empty, copy.seconds, kEmptyGoal);
    Report("again, store filled", rerun, copy.seconds, kRerunGoal);
    std::fflush(stdout);
    // The work folder stays until every count has run: ext4 without a
    // journal passes over inodes freed in the last minutes when it makes
    // files, so a run right after tens of thousands of files were deleted
    // measures that search rather than the migration.
    return empty.ok && rerun.ok && copy.ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {10000, 50000};

    // The program sits in <build>/tools/bench/, ferrywise in <build>/app/.
    const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path();
    const char* binary = std::getenv("FW_BINARY_DIR");
    const std::string ferrywise = (binary ? fs::path(binary) : build) / "app" / "ferrywise";
    if (!fs::exists(ferrywise)) {
        std::printf("no ferrywise at %s: build it first\n", ferrywise.c_str());
        return 1;
    }
    const char* where = std::getenv("FW_BENCH_DIR");
    std::string base = (where ? fs::path(where) : build).string() + "/bench_batch.XXXXXX";
    if (::mkdtemp(base.data()) == nullptr) {
        std::printf("cannot make a work folder in %s\n", base.c_str());
        return 1;
    }
    std::printf("batch migration of Palm contacts by %s\nwork folder %s (%s)\n", ferrywise.c_str(), base.c_str(),
                FileSystemOf(base).c_str());
    bool ok = true;
    for (int count : counts)
        if (count > 0) ok = BenchOne(ferrywise, base, count) && ok;
    fs::remove_all(base);
    return ok ? 0 : 1;
}
