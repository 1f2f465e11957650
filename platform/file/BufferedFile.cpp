#include "platform/file/BufferedFile.h"

#include <algorithm>
#include <cstring>

namespace platform::file {

bool BufferedFile::Open(const std::string& path, bool exclusiveLock, Access access) {
    Close();
    if (!m_file.Open(path, exclusiveLock, access)) return false;
    if (m_buffer.size() != kBufferSize) m_buffer.resize(kBufferSize);
    return true;
}

void BufferedFile::Close() {
    m_file.Close();
    m_bufferStart = 0;
    m_bufferPos = m_bufferLen = 0;
    m_readFailed = false;
}

bool BufferedFile::Fill() {
    m_bufferStart += m_bufferLen;
    m_bufferPos = m_bufferLen = 0;
    const long long n = m_file.ReadAt(m_bufferStart, m_buffer.data(), m_buffer.size());
    if (n < 0) m_readFailed = true;
    if (n <= 0) return false;
    m_bufferLen = static_cast<std::size_t>(n);
    return true;
}

std::size_t BufferedFile::ReadThrough(void* target, std::size_t count) {
    std::size_t got = 0;
    auto* out = static_cast<unsigned char*>(target);
    while (IsOpen() && got < count) {
        if (m_bufferPos == m_bufferLen && !Fill()) break;
        const std::size_t n = std::min(count - got, m_bufferLen - m_bufferPos);
        std::memcpy(out + got, m_buffer.data() + m_bufferPos, n);
        got += n;
        m_bufferPos += n;
    }
    return got;
}

void BufferedFile::Skip(std::uint64_t count) {
    const std::uint64_t target = Position() + count;
    if (target <= m_bufferStart + m_bufferLen) {
        m_bufferPos = static_cast<std::size_t>(target - m_bufferStart);
    } else {
        m_bufferStart = target;
        m_bufferPos = m_bufferLen = 0;
    }
}

}  // namespace platform::file
