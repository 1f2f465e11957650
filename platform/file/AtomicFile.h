#pragma once
// Whole-file replacement: a reader sees the old file or the new one, never a
// part. The bytes go to a temporary file beside the target, which is then
// renamed over it; a file that must be new (`createOnly`) is written
// unnamed where the system allows it and linked under its name at the end.
// A replaced file keeps its permission bits; a new one is the owner's only.
//
// Durability is a separate step. A single write (a settings file) flushes
// file and folder at once. Many writes that make up one operation (the items
// of a migration) defer the flush to a `PendingFlush`, which makes all of
// them durable together before the operation is reported done.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::file {

class PendingFlush;

// How an atomic write sets the file's permission bits and makes it durable.
struct AtomicOptions {
    static constexpr int kKeepMode = -1;
    // The permission bits; kKeepMode keeps those of a replaced file and
    // makes a new one the owner's only.
    int mode = kKeepMode;
    // With `pending`, the flush is recorded there for its Flush; without,
    // file and folder are flushed before the write returns, unless `flush`
    // is false: files a reader takes at once and that no one needs after a
    // restart (a helper's status and data files) are not flushed at all.
    PendingFlush* pending = nullptr;
    bool flush = true;
    // A new file only: when `path` exists the write fails (its cause is
    // EEXIST) and the existing file stays as it is.
    bool createOnly = false;
};

// Writes `bytes` to `path` atomically. With no `pending`, the file and its
// folder are flushed before returning; otherwise both are recorded in
// `pending` for its Flush. On failure nothing is left behind and `error`, if
// given, holds the cause.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, PendingFlush* pending = nullptr,
                         std::string* error = nullptr);
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicOptions& options,
                         std::string* error = nullptr);

// The same for a file written in pieces, too large to hold whole: the
// pieces go to the temporary file, which takes the target's name only in
// Commit. Until then a reader sees the old file or none, and a writer that
// is abandoned or destroyed uncommitted leaves nothing behind.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() { Abandon(); }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file beside `path` (or an unnamed one in its
    // folder); an open writer is abandoned first.
    bool Open(const std::string& path, const AtomicOptions& options = {}, std::string* error = nullptr);
    bool IsOpen() const { return m_fd >= 0; }
    // Appends bytes. A failed write is kept and reported by Commit.
    void Write(const void* data, std::size_t size);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
    // Overwrites bytes already written, at `offset` (a count known only at
    // the end); writing past what was written is a failure.
    void WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    // Gives the file its name. False, with the cause in `error` when given,
    // when any write failed or the rename fails; nothing is then left.
    bool Commit(std::string* error = nullptr);
    void Abandon();
    // The errno of the first failure; 0 while none.
    int Failure() const { return m_failure; }

private:
    bool Drain();
    void Fail(int cause);

    int m_fd = -1;
    std::string m_path;
    std::string m_temp;  // empty for an unnamed file
    AtomicOptions m_options;
    std::string m_buffer;
    std::uint64_t m_written = 0;  // bytes handed to the file so far
    int m_failure = 0;            // the first errno that failed a write
};

// True for a name WriteFileAtomically gives its temporary files: such a file
// is a write that never finished, and is no file of the folder.
bool IsTemporaryName(std::string_view name);

// How a PendingFlush makes its writes durable: an fsync of every file and
// then of every folder, or one syncfs of each file system they are on.
enum class FlushWay { EachFile, FileSystem };

// Files and folders written but not yet flushed.
//
// The file system way holds a descriptor of each file system from the
// first folder watched or named on it (the atomic writer watches a folder
// before its first write into it), so that its syncfs reports every write
// error since then, even one another program has already been told of.
class PendingFlush {
public:
    PendingFlush() = default;
    PendingFlush(const PendingFlush&) = delete;
    PendingFlush& operator=(const PendingFlush&) = delete;
    ~PendingFlush();

    void AddFile(const std::string& path);
    void AddFolder(const std::string& path);
    // Holds the file system of a folder about to be written into, for the
    // file system way; records nothing to flush.
    void WatchFolder(const std::string& path) {
        if (m_way == FlushWay::FileSystem) Watch(path);
    }
    bool Empty() const { return m_files.empty() && m_folders.empty(); }
    // Makes everything recorded durable; on failure `error` holds the cause.
    // The record is cleared either way.
    bool Flush(std::string* error = nullptr);
    void SetWay(FlushWay way) { m_way = way; }
    FlushWay Way() const { return m_way; }

private:
    struct FileSystem {
        unsigned long long device;
        int fd;
        std::string folder;  // the first folder named on it, for messages
    };
    struct Watched {
        std::string folder;
        std::size_t fileSystem;  // index into m_fileSystems; npos when the folder could not be opened
    };
    bool FlushEachFile(const std::vector<std::string>& files, const std::vector<std::string>& folders,
                       std::string* error);
    bool FlushFileSystems(const std::vector<std::string>& folders, std::string* error);
    // The file system of a folder, opened on first asking.
    std::size_t Watch(const std::string& folder);

    FlushWay m_way = FlushWay::FileSystem;
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
    std::vector<FileSystem> m_fileSystems;
    std::vector<Watched> m_watched;
};

}  // namespace platform::file
