#include "platform/file/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/file/Retrying.h"
#include "platform/process/Parallel.h"

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
    return Retrying([&] { return ::open(path, flags | O_CLOEXEC); });
}

int CloseRetrying(int fd) {
    // Linux closes the descriptor even when close is interrupted.
    const int rc = ::close(fd);
    return rc != 0 && errno == EINTR ? 0 : rc;
}

// Opens a file or folder, makes it durable with `sync` (fsync, or syncfs for
// its whole file system) and closes it; `failure` starts the error text.
bool SyncThrough(const std::string& path, bool folder, int (*sync)(int), const char* failure, std::string* error) {
    const int fd = OpenRetrying(path.c_str(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0) {
        // A file removed or replaced since it was written: its folder's
        // flush makes that change durable.
        if (!folder && errno == ENOENT) return true;
        SetError(error, Describe("Cannot open for flushing", path, errno));
        return false;
    }
    const int rc = Retrying([&] { return sync(fd); });
    const int saved = errno;
    ::close(fd);
    if (rc != 0) {
        SetError(error, Describe(failure, path, saved));
        return false;
    }
    return true;
}

// True when the umask leaves the owner's read and write bits alone. Read
// once from the process's status: asking umask() itself would change it
// for a moment under the other threads.
bool UmaskKeepsOwnerBits() {
    static const bool keeps = [] {
        std::FILE* status = std::fopen("/proc/self/status", "re");
        if (status == nullptr) return false;
        char line[256];
        unsigned mask = 0777;
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
        std::fclose(status);
        return (mask & 0600) == 0;
    }();
    return keeps;
}

// Renames `from` to `to` unless `to` exists (errno EEXIST then).
bool RenameNew(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // A file system without the exclusive rename: look, then rename.
    if (struct stat st {}; ::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// An unnamed file in `folder` (O_TMPFILE), for LinkUnnamed to name; -1 with
// errno set when none can be made. Linking one by its descriptor goes
// through /proc (linking by descriptor alone takes a privilege), so without
// /proc none is made.
int OpenUnnamed(const std::string& folder) {
    static const bool procFds = ::access("/proc/self/fd", X_OK) == 0;
    if (!procFds) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return Retrying([&] { return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600); });
}

// True for the causes of a failed OpenUnnamed that mean the file system or
// the system has no unnamed files: a named temporary file does instead.
bool UnnamedUnsupported(int cause) { return cause == EOPNOTSUPP || cause == EISDIR || cause == EINVAL; }

// Gives the unnamed file `fd` the name `path`, unless a file (or a link)
// of that name exists: errno EEXIST then.
bool LinkUnnamed(int fd, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// syncfs reports the write errors of the file system only since Linux 5.8;
// before, a flush of each file is the one that can fail.
bool SyncfsReportsErrors() {
    static const bool reports = [] {
        struct utsname name {};
        if (::uname(&name) != 0) return false;
        int major = 0, minor = 0;
        if (std::sscanf(name.release, "%d.%d", &major, &minor) != 2) return false;
        return major > 5 || (major == 5 && minor >= 8);
    }();
    return reports;
}

bool SyncPath(const std::string& path, bool folder, std::string* error) {
    return SyncThrough(path, folder, ::fsync, "Cannot flush", error);
}

bool SyncFileSystemOf(const std::string& folder, std::string* error) {
    return SyncThrough(folder, true, ::syncfs, "Cannot flush the file system of", error);
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
    AtomicOptions options;
    options.pending = pending;
    return WriteFileAtomically(path, bytes, options, error);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicOptions& options,
                         std::string* error) {
    AtomicFileWriter writer;
    if (!writer.Open(path, options, error)) return false;
    writer.Write(bytes);
    return writer.Commit(error);
}

namespace {

constexpr std::size_t kWriteBuffer = 64 * 1024;

}  // namespace

bool AtomicFileWriter::Open(const std::string& path, const AtomicOptions& options, std::string* error) {
    Abandon();
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        SetError(error, "No file name in \"" + path + "\"");
        return false;
    }
    const std::string folder = FolderOf(path);
    // The folder's file system is watched from before anything is written
    // into it (see PendingFlush).
    if (options.pending != nullptr) options.pending->WatchFolder(folder);
    // A new file is written unnamed and linked under its name at the end:
    // no temporary name is made and renamed away, and a write that never
    // finishes leaves nothing at all. Elsewhere, and where the system has
    // no unnamed files, a temporary file beside the target takes the bytes.
    std::string temp;
    int fd = options.createOnly ? OpenUnnamed(folder) : -1;
    if (fd < 0 && (!options.createOnly || UnnamedUnsupported(errno))) {
        temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "." + name +
               std::string(kTempMark) + "XXXXXX" + std::string(kTempSuffix);
        fd = Retrying([&] { return ::mkostemps(temp.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC); });
    }
    if (fd < 0) {
        SetError(error, Describe("Cannot create a file in", folder, errno));
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_temp = std::move(temp);
    m_options = options;
    m_written = 0;
    m_failure = 0;
    m_buffer.clear();
    mode_t mode = 0600;
    if (options.mode != AtomicOptions::kKeepMode) {
        mode = static_cast<mode_t>(options.mode) & 07777;
    } else if (struct stat old{}; !options.createOnly && ::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    }
    // The temporary file was made 0600 less the process's umask.
    if ((mode != 0600 || !UmaskKeepsOwnerBits()) && ::fchmod(fd, mode) != 0) Fail(errno);
    return true;
}

void AtomicFileWriter::Fail(int cause) {
    if (m_failure == 0) m_failure = cause != 0 ? cause : EIO;
}

bool AtomicFileWriter::Drain() {
    if (m_failure == 0 && !m_buffer.empty()) {
        if (WriteAll(m_fd, m_buffer))
            m_written += m_buffer.size();
        else
            Fail(errno);
    }
    m_buffer.clear();
    return m_failure == 0;
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (m_fd < 0 || m_failure != 0 || size == 0) return;
    const std::string_view bytes(static_cast<const char*>(data), size);
    if (m_buffer.size() + size > kWriteBuffer && !Drain()) return;
    if (size >= kWriteBuffer) {
        if (WriteAll(m_fd, bytes))
            m_written += size;
        else
            Fail(errno);
        return;
    }
    m_buffer.append(bytes);  // grows with what is written, up to kWriteBuffer
}

void AtomicFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    if (m_fd < 0 || m_failure != 0) return;
    if (offset + size > m_written + m_buffer.size() || offset + size < offset) return Fail(EINVAL);
    if (offset >= m_written) {  // still in the buffer
        std::memcpy(m_buffer.data() + (offset - m_written), data, size);
        return;
    }
    if (!Drain()) return;
    std::size_t done = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(n == 0 ? EIO : errno);
        done += static_cast<std::size_t>(n);
    }
}

bool AtomicFileWriter::Commit(std::string* error) {
    if (m_fd < 0) {
        SetError(error, "No file is being written");
        return false;
    }
    Drain();
    const bool syncNow = m_options.flush && m_options.pending == nullptr;
    if (m_failure == 0 && syncNow && Retrying([&] { return ::fsync(m_fd); }) != 0) Fail(errno);
    const bool unnamed = m_temp.empty();
    bool linked = false;
    if (m_failure == 0 && unnamed) {
        linked = LinkUnnamed(m_fd, m_path);
        if (!linked) Fail(errno);
    }
    if (CloseRetrying(m_fd) != 0) {
        Fail(errno);
        // The file this writer named is taken back: it may not hold it all.
        if (linked) ::unlink(m_path.c_str());
    }
    m_fd = -1;
    if (m_failure == 0 && !unnamed &&
        !(m_options.createOnly ? RenameNew(m_temp, m_path) : ::rename(m_temp.c_str(), m_path.c_str()) == 0))
        Fail(errno);
    if (m_failure != 0) {
        SetError(error, Describe("Cannot write", m_path, m_failure));
        Abandon();
        return false;
    }
    m_temp.clear();
    const std::string folder = FolderOf(m_path);
    if (m_options.pending != nullptr) {
        m_options.pending->AddFile(m_path);
        m_options.pending->AddFolder(folder);
        return true;
    }
    return !syncNow || SyncPath(folder, true, error);
}

void AtomicFileWriter::Abandon() {
    if (m_fd >= 0) CloseRetrying(m_fd);
    m_fd = -1;
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    m_temp.clear();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
}

PendingFlush::~PendingFlush() {
    for (const FileSystem& fs : m_fileSystems) ::close(fs.fd);
}

void PendingFlush::AddFile(const std::string& path) { m_files.push_back(path); }

void PendingFlush::AddFolder(const std::string& path) {
    if (!m_folders.empty() && m_folders.back() == path) return;
    if (m_way == FlushWay::FileSystem) Watch(path);
    m_folders.push_back(path);
}

std::size_t PendingFlush::Watch(const std::string& folder) {
    for (const Watched& w : m_watched)
        if (w.folder == folder) return w.fileSystem;
    const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return std::string::npos;  // not remembered: the folder may yet be made
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return std::string::npos;
    }
    const auto device = static_cast<unsigned long long>(st.st_dev);
    std::size_t index = 0;
    while (index < m_fileSystems.size() && m_fileSystems[index].device != device) ++index;
    if (index < m_fileSystems.size())
        ::close(fd);
    else
        m_fileSystems.push_back({device, fd, folder});
    m_watched.push_back({folder, index});
    return index;
}

bool PendingFlush::Flush(std::string* error) {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    files.swap(m_files);
    folders.swap(m_folders);
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    if (m_way == FlushWay::EachFile || !SyncfsReportsErrors()) return FlushEachFile(files, folders, error);
    return FlushFileSystems(folders, error);
}

bool PendingFlush::FlushFileSystems(const std::vector<std::string>& folders, std::string* error) {
    // Every written file lies in one of the folders: a sync of each folder's
    // file system covers them all.
    bool ok = true;
    std::vector<bool> written;  // by file system
    for (const auto& folder : folders) {
        const std::size_t index = Watch(folder);
        if (index != std::string::npos) {
            if (index >= written.size()) written.resize(index + 1, false);
            written[index] = true;
        } else if (!SyncFileSystemOf(folder, ok ? error : nullptr)) {
            ok = false;  // its open fails again, and tells why
        }
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (!written[i]) continue;
        if (Retrying([&] { return ::syncfs(m_fileSystems[i].fd); }) == 0) continue;
        if (ok) SetError(error, Describe("Cannot flush the file system of", m_fileSystems[i].folder, errno));
        ok = false;
    }
    return ok;
}

bool PendingFlush::FlushEachFile(const std::vector<std::string>& files, const std::vector<std::string>& folders,
                                 std::string* error) {
    // Files before their folders: a folder flushed first could name a file
    // whose contents are not yet on disk. The files are flushed by several
    // threads at once: a file system commits concurrent flushes together,
    // where one after the other each waits for a commit of its own.
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    const std::size_t threads = std::min<std::size_t>(kFlushThreads, (files.size() + 63) / 64);
    platform::process::ForEachIndex(files.size(), threads, [&](std::size_t i) {
        std::string why;
        if (SyncPath(files[i], false, &why)) return;
        std::lock_guard guard(errorMutex);
        if (!failed.exchange(true)) SetError(error, why);
    });
    bool ok = !failed;
    for (const auto& folder : folders)
        if (!SyncPath(folder, true, ok ? error : nullptr)) ok = false;
    return ok;
}

}  // namespace platform::file
