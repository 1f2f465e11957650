#include "platform/process/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/process/CommandLine.h"
#include "platform/text/AsciiCase.h"

extern char** environ;

namespace platform {

namespace {

// Children that were let go while still running; each is collected once it
// has ended.
class ReleasedChildren {
public:
    void Add(int pid) {
        std::lock_guard lock(m_mutex);
        m_pids.push_back(pid);
        CollectLocked();
    }
    void Collect() {
        std::lock_guard lock(m_mutex);
        CollectLocked();
    }

private:
    void CollectLocked() {
        std::erase_if(m_pids, [](int pid) {
            int status = 0;
            const int r = ::waitpid(pid, &status, WNOHANG);
            return r == pid || (r < 0 && errno == ECHILD);
        });
    }
    std::mutex m_mutex;
    std::vector<int> m_pids;
};

ReleasedChildren& Released() {
    static ReleasedChildren released;
    return released;
}

using file::IsRegularFile;

bool EndsWithExe(const std::string& name) { return name.size() > 4 && EndsWithNoCase(name, ".exe"); }

int OpenPidfd(int pid) {
#ifdef SYS_pidfd_open
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    if (fd >= 0) ::fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    return static_cast<int>(fd);
#else
    (void)pid;
    return -1;
#endif
}

}  // namespace

std::string SystemErrorText(int error) {
    char buf[256];
    // The GNU strerror_r returns the text, which need not be in buf.
    const char* text = ::strerror_r(error, buf, sizeof buf);
    return text ? std::string(text) : std::string();
}

std::string FindProgram(const std::string& name, const std::string& programFolder) {
    if (name.empty()) return std::string();
    // A name that is not a full path is looked for in the program folder
    // alone: a file of that name in the current folder is never started.
    std::vector<std::string> candidates;
    if (name.front() == kPathSeparator)
        candidates.push_back(name);
    else if (!programFolder.empty())
        candidates.push_back(WithTrailingSeparator(programFolder) + name);
    for (const std::string& candidate : candidates) {
        const std::string resolved = ResolvePath(candidate);
        if (IsRegularFile(resolved)) return resolved;
        if (EndsWithExe(candidate)) {
            const std::string bare = ResolvePath(candidate.substr(0, candidate.size() - 4));
            if (IsRegularFile(bare)) return bare;
        }
    }
    return std::string();
}

ChildProcess::~ChildProcess() { Release(); }

bool ChildProcess::Start(std::string_view commandLine, const std::string& workingDirectory,
                         const std::string& programFolder) {
    Release();
    Released().Collect();
    m_error = 0;
    m_exitCode = -1;
    m_programPath.clear();

    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args.front().empty()) {
        m_error = ENOENT;
        return false;
    }
    m_programPath = FindProgram(args.front(), programFolder);
    if (m_programPath.empty()) {
        m_error = ENOENT;
        return false;
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attr);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!workingDirectory.empty()) ::posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    ::posix_spawnattr_setsigmask(&attr, &none);
    ::posix_spawnattr_setsigdefault(&attr, &defaults);
    ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, m_programPath.c_str(), &actions, &attr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        m_error = rc;
        return false;
    }
    m_pid = pid;
    m_pidfd = OpenPidfd(pid);
    return true;
}

WaitResult ChildProcess::Wait(std::uint32_t timeoutMs) {
    if (m_pid <= 0) {
        m_error = ECHILD;
        return WaitResult::Failed;
    }
    if (m_exitCode >= 0) return WaitResult::Exited;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::chrono::milliseconds pause(1);
    while (true) {
        int status = 0;
        const int r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
            return WaitResult::Exited;
        }
        if (r < 0) {
            if (errno == EINTR) continue;
            m_error = errno;
            return WaitResult::Failed;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return WaitResult::TimedOut;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) + std::chrono::milliseconds(1);
        if (m_pidfd >= 0) {
            pollfd pfd{m_pidfd, POLLIN, 0};
            const int n = ::poll(&pfd, 1, static_cast<int>(std::min<long long>(left.count(), 1 << 30)));
            if (n < 0 && errno != EINTR) {
                ::close(m_pidfd);  // fall back to polling
                m_pidfd = -1;
            }
        } else {
            std::this_thread::sleep_for(std::min(pause, left));
            pause = std::min(pause * 2, std::chrono::milliseconds(20));
        }
    }
}

std::string ChildProcess::ErrorText() const { return SystemErrorText(m_error); }

void ChildProcess::Release() {
    if (m_pidfd >= 0) {
        ::close(m_pidfd);
        m_pidfd = -1;
    }
    if (m_pid > 0 && m_exitCode < 0) Released().Add(m_pid);
    m_pid = -1;
}

}  // namespace platform
