#pragma once
// An exclusive lock on a lock file, held from Acquire until Release or the
// end of the object; another process that asks for it waits or fails.
#include <string>

namespace platform::file {

class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Creates the lock file (owner only) when missing and takes its lock,
    // trying for up to `waitMs` milliseconds. True at once when this
    // object already holds the lock of that path.
    bool Acquire(const std::string& path, int waitMs);
    void Release();
    bool Held() const { return m_fd >= 0; }
    const std::string& Path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

}  // namespace platform::file
