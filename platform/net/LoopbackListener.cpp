#include "platform/net/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace platform::net {

namespace {

using Clock = std::chrono::steady_clock;

// Closes a descriptor when it goes out of scope.
struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

int MillisLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// Reads the request head (up to the blank line, at most 16 KiB) within two
// seconds; empty when none arrives.
std::string ReadHead(int fd) {
    std::string head;
    const auto end = Clock::now() + std::chrono::seconds(2);
    char buffer[2048];
    while (head.size() < 16384 && head.find("\r\n\r\n") == std::string::npos &&
           head.find("\n\n") == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        const int wait = MillisLeft(end);
        if (wait == 0 || ::poll(&p, 1, wait) <= 0) break;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
}

void SendAll(int fd, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

std::string Answer(const char* status, const std::string& page) {
    return std::string("HTTP/1.1 ") + status +
           "\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
           std::to_string(page.size()) + "\r\n\r\n" + page;
}

// The target of a request line "GET /path?query HTTP/1.1"; empty when the
// line is not one.
std::string TargetOf(const std::string& head) {
    const std::size_t lineEnd = head.find_first_of("\r\n");
    const std::string line = head.substr(0, lineEnd);
    const std::size_t first = line.find(' ');
    if (first == std::string::npos) return {};
    const std::size_t second = line.find(' ', first + 1);
    if (second == std::string::npos) return {};
    return line.substr(first + 1, second - first - 1);
}

}  // namespace

LoopbackListener::~LoopbackListener() {
    if (m_fd >= 0) ::close(m_fd);
}

bool LoopbackListener::Open() {
    if (m_fd >= 0) return true;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_port = ntohs(address.sin_port);
    return true;
}

LoopbackListener::Result LoopbackListener::WaitForRequest(std::string& target, const std::string& page, int timeoutMs,
                                                          const std::function<bool()>& stop) {
    if (m_fd < 0) return Result::Failed;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (stop && stop()) return Result::Stopped;
        const int left = MillisLeft(end);
        if (left == 0) return Result::TimedOut;
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, left < 200 ? left : 200);
        if (ready < 0) return Result::Failed;
        if (ready == 0) continue;
        FdCloser client{::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC)};
        if (client.fd < 0) continue;
        const std::string found = TargetOf(ReadHead(client.fd));
        if (found.find('?') == std::string::npos) {
            SendAll(client.fd, Answer("404 Not Found", "<html><body>Not found.</body></html>"));
            continue;
        }
        SendAll(client.fd, Answer("200 OK", page));
        target = found;
        return Result::Request;
    }
}

}  // namespace platform::net
