#pragma once
// A data file read from front to back through a buffer: the many small
// reads of a record file cost one system call per buffer, not one each.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file/DataFile.h"

namespace platform::file {

class BufferedFile {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    // Opens as DataFile::Open does; the position is then 0.
    bool Open(const std::string& path, bool exclusiveLock, Access access = Access::Read);
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    OpenFailure Failure() const { return m_file.Failure(); }
    std::uint64_t Size() const { return m_file.Size(); }

    // Reads up to `count` bytes at the position and moves past them; fewer
    // at the end of the file or on a read error (ReadFailed tells which).
    std::size_t Read(void* target, std::size_t count) {
        if (count <= m_bufferLen - m_bufferPos && count != 0) {  // the common small read, from the buffer
            std::memcpy(target, m_buffer.data() + m_bufferPos, count);
            m_bufferPos += count;
            return count;
        }
        return ReadThrough(target, count);
    }
    // Moves the position forward, also past the end of the file.
    void Skip(std::uint64_t count);
    std::uint64_t Position() const { return m_bufferStart + m_bufferPos; }
    std::uint64_t Remaining() const { return Size() > Position() ? Size() - Position() : 0; }
    // True once a read of the file failed since it was opened.
    bool ReadFailed() const { return m_readFailed; }

private:
    std::size_t ReadThrough(void* target, std::size_t count);
    bool Fill();

    DataFile m_file;
    std::vector<unsigned char> m_buffer;
    std::uint64_t m_bufferStart = 0;  // file offset of m_buffer[0]
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferLen = 0;
    bool m_readFailed = false;
};

}  // namespace platform::file
