#pragma once
// Whole-file replacement: a reader sees the old file or the new one, never a
// part. The bytes go to a temporary file beside the target, which is then
// renamed over it. A replaced file keeps its permission bits; a new one is
// the owner's only.
//
// Durability is a separate step. A single write (a settings file) flushes
// file and folder at once. Many writes that make up one operation (the items
// of a migration) defer the flush to a `PendingFlush`, which makes all of
// them durable together before the operation is reported done.
#include <string>
#include <string_view>
#include <vector>

namespace platform::file {

class PendingFlush;

// Writes `bytes` to `path` atomically. With no `pending`, the file and its
// folder are flushed before returning; otherwise both are recorded in
// `pending` for its Flush. On failure nothing is left behind and `error`, if
// given, holds the cause.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, PendingFlush* pending = nullptr,
                         std::string* error = nullptr);

// True for a name WriteFileAtomically gives its temporary files: such a file
// is a write that never finished, and is no file of the folder.
bool IsTemporaryName(std::string_view name);

// How a PendingFlush makes its writes durable: an fsync of every file and
// then of every folder, or one syncfs of each file system they are on.
enum class FlushWay { EachFile, FileSystem };

// Files and folders written but not yet flushed.
class PendingFlush {
public:
    PendingFlush() = default;
    PendingFlush(const PendingFlush&) = delete;
    PendingFlush& operator=(const PendingFlush&) = delete;

    void AddFile(const std::string& path);
    void AddFolder(const std::string& path);
    bool Empty() const { return m_files.empty() && m_folders.empty(); }
    // Makes everything recorded durable; on failure `error` holds the cause.
    // The record is cleared either way.
    bool Flush(std::string* error = nullptr);
    void SetWay(FlushWay way) { m_way = way; }
    FlushWay Way() const { return m_way; }

private:
    bool FlushEachFile(const std::vector<std::string>& files, const std::vector<std::string>& folders,
                       std::string* error);

    FlushWay m_way = FlushWay::EachFile;
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
};

}  // namespace platform::file
