#include "platform/file/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/file/Retrying.h"

namespace platform::file {

bool FileLock::Acquire(const std::string& path, int waitMs) {
    if (m_fd >= 0 && path == m_path) return true;
    Release();
    const int fd =
        Retrying([&] { return ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600); });
    if (fd < 0) return false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs < 0 ? 0 : waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) {
            ::close(fd);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    m_fd = fd;
    m_path = path;
    return true;
}

void FileLock::Release() {
    if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor drops the lock
    m_fd = -1;
    m_path.clear();
}

}  // namespace platform::file
