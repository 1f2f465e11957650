#include "platform/ui/HiddenLine.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace platform {

namespace {

// Echo off for as long as it lives, on the terminal it was given.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd) {
        if (::tcgetattr(fd, &m_saved) != 0) return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        quiet.c_lflag |= ECHONL;
        m_active = ::tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (m_active) ::tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
    bool Active() const { return m_active; }

private:
    int m_fd;
    termios m_saved{};
    bool m_active = false;
};

}  // namespace

bool ReadHiddenLine(const std::string& prompt, std::string& line) {
    line.clear();
    if (::isatty(STDIN_FILENO) == 0) return false;
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    const EchoOff quiet(STDIN_FILENO);
    if (!quiet.Active()) return false;
    for (;;) {
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n <= 0) {
            line.clear();
            return false;
        }
        if (c == '\n') break;
        if (c != '\r') line.push_back(c);
    }
    return true;
}

}  // namespace platform
