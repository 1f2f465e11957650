#include "platform/file/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform::file {

namespace {

constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kFlushThreads = 16;
constexpr std::string_view kTempMark = ".~";  // before the six random characters

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string Describe(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(error);
}

void SetError(std::string* error, std::string text) {
    if (error != nullptr) *error = std::move(text);
}

int OpenRetrying(const char* path, int flags) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int CloseRetrying(int fd) {
    // Linux closes the descriptor even when close is interrupted.
    const int rc = ::close(fd);
    return rc != 0 && errno == EINTR ? 0 : rc;
}

bool SyncPath(const std::string& path, bool folder, std::string* error) {
    const int fd = OpenRetrying(path.c_str(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0) {
        // A file removed or replaced since it was written: its folder's
        // flush makes that change durable.
        if (!folder && errno == ENOENT) return true;
        SetError(error, Describe("Cannot open for flushing", path, errno));
        return false;
    }
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    const int saved = errno;
    ::close(fd);
    if (rc != 0) {
        SetError(error, Describe("Cannot flush", path, saved));
        return false;
    }
    return true;
}

bool SyncFileSystemOf(const std::string& folder, std::string* error) {
    const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        SetError(error, Describe("Cannot open for flushing", folder, errno));
        return false;
    }
    int rc;
    do {
        rc = ::syncfs(fd);
    } while (rc != 0 && errno == EINTR);
    const int saved = errno;
    ::close(fd);
    if (rc != 0) {
        SetError(error, Describe("Cannot flush the file system of", folder, saved));
        return false;
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool IsTemporaryName(std::string_view name) {
    // "." + target name + ".~" + six characters + ".tmp"
    const std::size_t tail = kTempMark.size() + 6 + kTempSuffix.size();
    if (name.size() < 1 + 1 + tail || name.front() != '.') return false;
    if (name.substr(name.size() - kTempSuffix.size()) != kTempSuffix) return false;
    return name.substr(name.size() - tail, kTempMark.size()) == kTempMark;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, PendingFlush* pending, std::string* error) {
    const std::string folder = FolderOf(path);
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        SetError(error, "No file name in \"" + path + "\"");
        return false;
    }
    std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "." + name +
                       std::string(kTempMark) + "XXXXXX" + std::string(kTempSuffix);
    int fd;
    do {
        fd = ::mkostemps(temp.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        SetError(error, Describe("Cannot create a file in", folder, errno));
        return false;
    }
    bool ok = true;
    int failure = 0;
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
    if (::fchmod(fd, mode) != 0) ok = false, failure = errno;
    if (ok && !WriteAll(fd, bytes)) ok = false, failure = errno;
    if (ok && pending == nullptr) {
        int rc;
        do {
            rc = ::fsync(fd);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) ok = false, failure = errno;
    }
    if (CloseRetrying(fd) != 0 && ok) ok = false, failure = errno;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false, failure = errno;
    if (!ok) {
        ::unlink(temp.c_str());
        SetError(error, Describe("Cannot write", path, failure));
        return false;
    }
    if (pending != nullptr) {
        pending->AddFile(path);
        pending->AddFolder(folder);
        return true;
    }
    return SyncPath(folder, true, error);
}

void PendingFlush::AddFile(const std::string& path) { m_files.push_back(path); }

void PendingFlush::AddFolder(const std::string& path) {
    if (m_folders.empty() || m_folders.back() != path) m_folders.push_back(path);
}

bool PendingFlush::Flush(std::string* error) {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    files.swap(m_files);
    folders.swap(m_folders);
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    if (m_way == FlushWay::EachFile) return FlushEachFile(files, folders, error);
    // Every written file lies in one of the folders: a sync of each folder's
    // file system covers them all.
    bool ok = true;
    std::vector<dev_t> done;
    for (const auto& folder : folders) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0 && std::find(done.begin(), done.end(), st.st_dev) != done.end()) continue;
        if (!SyncFileSystemOf(folder, ok ? error : nullptr)) ok = false;
        done.push_back(st.st_dev);
    }
    return ok;
}

bool PendingFlush::FlushEachFile(const std::vector<std::string>& files, const std::vector<std::string>& folders,
                                 std::string* error) {
    // Files before their folders: a folder flushed first could name a file
    // whose contents are not yet on disk. The files are flushed by several
    // threads at once: a file system commits concurrent flushes together,
    // where one after the other each waits for a commit of its own.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            std::string why;
            if (SyncPath(files[i], false, &why)) continue;
            std::lock_guard guard(errorMutex);
            if (!failed.exchange(true)) SetError(error, why);
        }
    };
    {
        const std::size_t count = std::min<std::size_t>(kFlushThreads, (files.size() + 63) / 64);
        std::vector<std::jthread> threads;
        for (std::size_t t = 1; t < count; ++t) threads.emplace_back(work);
        work();
    }
    bool ok = !failed;
    for (const auto& folder : folders)
        if (!SyncPath(folder, true, ok ? error : nullptr)) ok = false;
    return ok;
}

}  // namespace platform::file
