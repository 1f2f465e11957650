#include "common/misc/CxFile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file/DataFile.h"
#include "platform/paths/Paths.h"
#include "platform/paths/PrivateFiles.h"
#include "platform/text/TextCopy.h"

CxFile::~CxFile() { Close(); }

bool CxFile::Open(const char* path, const char* mode, bool ownerOnly) {
    if (path == nullptr || *path == '\0' || mode == nullptr || *mode == '\0') return false;
    Close();
    m_shortRead = false;
    const std::string resolved = platform::ResolvePath(path);
    if (ownerOnly && (mode[0] == 'w' || mode[0] == 'a'))
        m_file = platform::OpenPrivateFile(resolved, mode);  // an existing file is narrowed too
    else
        m_file = std::fopen(resolved.c_str(), mode);
    return m_file != nullptr;
}

void CxFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool CxFile::ReadBytes(void* target, std::size_t size) {
    if (m_file == nullptr) return false;
    std::vector<unsigned char> tmp(size);
    const std::size_t n = std::fread(tmp.data(), 1, size, m_file);
    if (n < size) {
        m_shortRead = true;
        return true;  // the target keeps its previous contents
    }
    std::memcpy(target, tmp.data(), size);
    return true;
}

bool CxFile::ReadString(char* buffer, std::size_t capacity, std::int32_t* length) {
    if (m_file == nullptr || buffer == nullptr) return false;
    std::int32_t count = 0;
    const bool wasShort = m_shortRead;
    m_shortRead = false;
    ReadBytes(&count, sizeof count);
    const bool countShort = m_shortRead;
    m_shortRead = wasShort || countShort;
    if (countShort) count = 0;
    if (length != nullptr) *length = count;
    if (count <= 0) return true;
    // Keep what fits (and a few bytes more, so that the cut can see whether
    // it falls inside a character); skip the rest without holding it.
    const std::size_t total = static_cast<std::size_t>(count);
    const std::size_t wanted = capacity > 0 ? std::min(total, capacity - 1 + 4) : 0;
    std::string bytes(wanted, '\0');
    std::size_t got = wanted ? std::fread(bytes.data(), 1, wanted, m_file) : 0;
    bytes.resize(got);
    std::size_t remaining = got < wanted ? 0 : total - wanted;
    if (got < wanted) m_shortRead = true;
    char skip[4096];
    while (remaining > 0) {
        const std::size_t chunk = std::min(remaining, sizeof skip);
        const std::size_t n = std::fread(skip, 1, chunk, m_file);
        if (n < chunk) {
            m_shortRead = true;
            break;
        }
        remaining -= n;
    }
    if (capacity > 0) platform::CopyText(buffer, capacity, std::string_view(bytes.data(), bytes.size()));
    return true;
}

bool CxFile::ReadInt(std::int32_t& target) { return ReadBytes(&target, sizeof target); }

bool CxFile::ReadBool(std::int32_t& target) { return ReadBytes(&target, sizeof target); }

bool CxFile::ReadDouble(double& target) { return ReadBytes(&target, sizeof target); }

bool CxFile::ReadLine(char* buffer, std::size_t capacity) {
    if (m_file == nullptr || buffer == nullptr || capacity == 0) return false;
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(m_file)) != EOF) {
        any = true;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!any) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    platform::CopyText(buffer, capacity, line);
    return true;
}

bool CxFile::WriteString(const char* text) {
    if (m_file == nullptr) return false;
    const std::int32_t count = text ? static_cast<std::int32_t>(std::strlen(text)) : 0;
    if (std::fwrite(&count, sizeof count, 1, m_file) != 1) return false;
    return count == 0 ||
           std::fwrite(text, 1, static_cast<std::size_t>(count), m_file) == static_cast<std::size_t>(count);
}

bool CxFile::WriteInt(std::int32_t value) {
    return m_file != nullptr && std::fwrite(&value, sizeof value, 1, m_file) == 1;
}

bool CxFile::WriteBool(bool value) { return WriteInt(value ? 1 : 0); }

bool CxFile::WriteDouble(double value) {
    return m_file != nullptr && std::fwrite(&value, sizeof value, 1, m_file) == 1;
}

bool CxFile::WriteLine(const char* text) {
    if (m_file == nullptr) return false;
    return std::fprintf(m_file, "%s\r\n", text ? text : "") >= 0;
}

bool CxFile::AtEnd() {
    if (m_file == nullptr) return false;
    const int c = std::fgetc(m_file);
    if (c == EOF) return true;
    std::ungetc(c, m_file);
    return false;
}

bool CxFile::WriteBytes(const void* data, std::size_t size) {
    return m_file != nullptr && std::fwrite(data, 1, size, m_file) == size;
}

std::size_t CxFile::ReadSome(void* target, std::size_t size) {
    return m_file != nullptr ? std::fread(target, 1, size, m_file) : 0;
}

long CxFile::GetFileSize(const char* path) {
    if (path == nullptr || *path == '\0') return -1;
    // Only a regular file has a size; a FIFO is not waited for.
    platform::file::DataFile file;
    if (!file.Open(platform::ResolvePath(path), false)) return -1;
    return static_cast<long>(file.Size());
}
