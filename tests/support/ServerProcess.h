#pragma once
// A server program that a test runs on the loopback interface: started with
// an argument vector, its output kept in a log file, and always ended (first
// asked, then killed) when the object goes.
#include <string>
#include <vector>

namespace fwtest {

class ServerProcess {
public:
    ServerProcess() = default;
    ~ServerProcess() { Stop(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts `argv` (argv[0] a full path) with standard output and error
    // going to `logPath`. False when it cannot be started.
    bool Start(const std::vector<std::string>& argv, const std::string& logPath);
    // Ends the server (SIGTERM, then SIGKILL after two seconds) and collects it.
    void Stop();
    bool Running();

private:
    long m_pid = -1;
};

// A TCP port on 127.0.0.1 that nothing listens on just now.
int FreeLoopbackPort();
// True once something accepts connections on 127.0.0.1:`port`, trying for at
// most `timeoutMs` milliseconds; false at once when `server` has ended.
bool WaitForPort(int port, int timeoutMs, ServerProcess& server);

}  // namespace fwtest
