#include "tests/support/HelperStop.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/profile/PrivateProfile.h"

namespace fwtest {

std::chrono::milliseconds StopRunningHelper(const std::string& command, const std::string& controlFile) {
    using namespace std::chrono;
    const std::string line = "exec " + command + " > /dev/null 2>&1";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    for (int i = 0; i < 200 && platform::ReadProfileString(controlFile, "Status", "Running").value_or("0") != "1"; ++i)
        std::this_thread::sleep_for(milliseconds(25));
    std::this_thread::sleep_for(milliseconds(200));
    platform::ProfileDocument doc;
    doc.Load(controlFile);
    doc.Set("Status", "Stop", "1");
    doc.Save(controlFile);
    const auto asked = steady_clock::now();
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && steady_clock::now() - asked < seconds(10))
        std::this_thread::sleep_for(milliseconds(10));
    const auto took = duration_cast<milliseconds>(steady_clock::now() - asked);
    if (done == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    return took;
}

}  // namespace fwtest
