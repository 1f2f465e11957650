#pragma once
// Files read from outside: only regular files are read, they are opened
// without blocking (a FIFO or a device never holds a reader up), and every
// read is bounded by the size the file had when it was opened.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::file {

enum class OpenFailure {
    None,
    Missing,     // no such file
    NotRegular,  // a folder, FIFO, device or socket
    InUse,       // another process holds its lock
    Denied,      // no permission to read it
    TooLarge,    // more bytes than the caller takes
    Unreadable,  // any other error
};

// The cause of a failure as a text for the user ("the file does not exist.").
std::string DescribeFailure(OpenFailure failure);

// How a file is opened: for reading; for writing or both, an existing
// file; or created (an existing file emptied).
enum class Access { Read, Write, ReadWrite, Create };

class DataFile {
public:
    DataFile() = default;
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens a regular file. With `exclusiveLock` the file is also locked
    // against others that lock it (Palm Desktop does); a lock held
    // elsewhere fails the open at once.
    bool Open(const std::string& path, bool exclusiveLock, Access access = Access::Read);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    OpenFailure Failure() const { return m_failure; }
    // The size when opened.
    std::uint64_t Size() const { return m_size; }
    // Reads up to `count` bytes at `offset`, never past the size; the
    // number of bytes read, or -1 on a read error.
    long long ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
    OpenFailure m_failure = OpenFailure::None;
};

// Reads a regular file whole when it holds at most `limit` bytes.
OpenFailure ReadWholeFile(const std::string& path, std::size_t limit, std::string& out);
OpenFailure ReadWholeFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& out);

}  // namespace platform::file
