#pragma once
// A child process started from a command-line text, and a bounded wait for
// its end.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class WaitResult {
    Exited,    // the child has ended
    TimedOut,  // the time limit passed first; the child keeps running
    Failed,    // the wait itself failed (see LastError)
};

class ChildProcess {
public:
    ChildProcess() = default;
    // Releases a child still running (see Release).
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program named by the command line's first argument, with
    // the argument vector the command line splits into (SplitCommandLine).
    // A name that is not a full path is looked for in `programFolder` only,
    // never in the current folder; a name ending in ".exe" that does not
    // exist is also tried without that suffix. The child reads its standard input from
    // /dev/null, inherits standard output, standard error and the
    // environment, and runs in `workingDirectory` (the current folder when
    // empty). False, with LastError set, when it cannot be started.
    bool Start(std::string_view commandLine, const std::string& workingDirectory, const std::string& programFolder);

    // Waits at most `timeoutMs` milliseconds for the child to end.
    WaitResult Wait(std::uint32_t timeoutMs);

    // The exit status of a child that ended; 128 + the signal number for
    // one ended by a signal; -1 before it ended.
    int ExitCode() const { return m_exitCode; }
    // The error number of the last failed start or wait.
    int LastError() const { return m_error; }
    // The system's message text for LastError.
    std::string ErrorText() const;
    // The path that was started.
    const std::string& ProgramPath() const { return m_programPath; }
    long Pid() const { return static_cast<long>(m_pid); }
    bool IsRunning() const { return m_pid > 0 && m_exitCode < 0; }

    // Stops watching the child. One still running is no longer waited for
    // here; it is collected once it has ended, so it leaves no zombie
    // behind.
    void Release();

private:
    int m_pid = -1;
    int m_pidfd = -1;
    int m_exitCode = -1;
    int m_error = 0;
    std::string m_programPath;
};

// The system's message text for an error number.
std::string SystemErrorText(int error);

// The file that starts for a program name (see ChildProcess::Start), or
// an empty text when there is none.
std::string FindProgram(const std::string& name, const std::string& programFolder);

}  // namespace platform
