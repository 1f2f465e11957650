#include "platform/file/DataFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file/Retrying.h"

namespace platform::file {

namespace {

OpenFailure FromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return OpenFailure::Missing;
    case EACCES:
    case EPERM: return OpenFailure::Denied;
    case ENXIO:  // a socket or a device without a reader behind it
    case EISDIR: return OpenFailure::NotRegular;
    default: return OpenFailure::Unreadable;
    }
}

}  // namespace

std::string DescribeFailure(OpenFailure failure) {
    switch (failure) {
    case OpenFailure::None: return "";
    case OpenFailure::Missing: return "the file does not exist.";
    case OpenFailure::NotRegular: return "it is not a regular file.";
    case OpenFailure::InUse: return "the file is in use by another program.";
    case OpenFailure::Denied: return "permission to read the file is denied.";
    case OpenFailure::TooLarge: return "the file is too large.";
    case OpenFailure::Unreadable: break;
    }
    return "the file cannot be read.";
}

DataFile::~DataFile() { Close(); }

bool DataFile::Open(const std::string& path, bool exclusiveLock, Access access) {
    Close();
    m_failure = OpenFailure::None;
    int flags = O_RDONLY;
    switch (access) {
    case Access::Read: break;
    case Access::Write: flags = O_WRONLY; break;
    case Access::ReadWrite: flags = O_RDWR; break;
    case Access::Create: flags = O_RDWR | O_CREAT; break;
    }
    // Non-blocking: opening a FIFO must not wait for a writer.
    const int fd = Retrying([&] { return ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600); });
    if (fd < 0) {
        m_failure = FromErrno(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_failure = OpenFailure::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        m_failure = OpenFailure::NotRegular;
    } else if (exclusiveLock && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_failure = errno == EWOULDBLOCK ? OpenFailure::InUse : OpenFailure::Unreadable;
    }
    // Emptied only once it is known to be a regular file of ours to use.
    if (m_failure == OpenFailure::None && access == Access::Create && ::ftruncate(fd, 0) != 0)
        m_failure = FromErrno(errno);
    if (m_failure != OpenFailure::None) {
        ::close(fd);
        return false;
    }
    if (access == Access::Create) st.st_size = 0;
    // Reads of a regular file never block, so a file only read keeps the
    // flag; one written to has it cleared all the same.
    if (access != Access::Read) {
        const int status = ::fcntl(fd, F_GETFL);
        if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    }
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

void DataFile::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_size = 0;
}

long long DataFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    if (m_fd < 0) return -1;
    if (offset >= m_size) return 0;
    if (count > m_size - offset) count = static_cast<std::size_t>(m_size - offset);
    std::size_t done = 0;
    auto* out = static_cast<unsigned char*>(buffer);
    while (done < count) {
        const ssize_t n = ::pread(m_fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;  // the file was cut while open
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

namespace {

template <class Bytes>
OpenFailure ReadInto(const std::string& path, std::size_t limit, Bytes& out) {
    out.clear();
    DataFile file;
    if (!file.Open(path, false)) return file.Failure();
    if (file.Size() > limit) return OpenFailure::TooLarge;
    out.resize(static_cast<std::size_t>(file.Size()));
    const long long n = file.ReadAt(0, out.data(), out.size());
    if (n < 0) {
        out.clear();
        return OpenFailure::Unreadable;
    }
    out.resize(static_cast<std::size_t>(n));
    return OpenFailure::None;
}

}  // namespace

OpenFailure ReadWholeFile(const std::string& path, std::size_t limit, std::string& out) {
    return ReadInto(path, limit, out);
}

OpenFailure ReadWholeFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& out) {
    return ReadInto(path, limit, out);
}

}  // namespace platform::file
