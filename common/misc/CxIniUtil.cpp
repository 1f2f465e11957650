#include "common/misc/CxIniUtil.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/paths/Paths.h"
#include "platform/profile/PrivateProfile.h"
#include "platform/text/TextCopy.h"

CxIniUtil::CxIniUtil(const char* folder, const char* fileName) {
    std::string dir = folder ? folder : "";
    if (dir.empty()) dir = platform::ProgramFolder();
    m_path = dir + (fileName ? fileName : "");
}

CxIniUtil::~CxIniUtil() = default;

void CxIniUtil::SetFileName(const char* path) {
    if (path != nullptr && *path != '\0') m_path = path;
}

void CxIniUtil::SetDefaultSection(const char* section) {
    char buf[32];
    platform::CopyText(buf, section);
    m_defaultSection = buf;
}

const char* CxIniUtil::Section(const char* section) const {
    return (section == nullptr || *section == '\0') ? m_defaultSection.c_str() : section;
}

int CxIniUtil::ReadString(const char* section, const char* key, char* buffer, std::size_t size, const char* def) {
    if (key == nullptr || buffer == nullptr || size == 0) return 0;
    std::optional<std::string> value =
        m_batch ? m_batch->Get(Section(section), key) : platform::ReadProfileString(m_path, Section(section), key);
    const std::string text = value ? *value : std::string(def ? def : "");
    return static_cast<int>(platform::CopyText(buffer, size, text));
}

void CxIniUtil::ReadInt(const char* section, const char* key, int& target, int def) {
    char text[32] = {0};
    if (ReadString(section, key, text, sizeof text, "") == 0) {
        target = def;
        return;
    }
    errno = 0;
    long v = std::strtol(text, nullptr, 10);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    target = static_cast<int>(v);
}

int CxIniUtil::GetInt(const char* section, const char* key, int def) {
    int value = def;
    ReadInt(section, key, value, def);
    return value;
}

bool CxIniUtil::GetBool(const char* section, const char* key, bool def) {
    return GetInt(section, key, def ? 1 : 0) != 0;
}

bool CxIniUtil::WriteString(const char* section, const char* key, const char* value) {
    if (key == nullptr) return false;
    const char* text = value ? value : "";
    if (m_batch) {
        m_batch->Set(Section(section), key, text);
        m_batchDirty = true;
        return true;
    }
    return platform::WriteProfileString(m_path, Section(section), key, text);
}

bool CxIniUtil::WriteInt(const char* section, const char* key, int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteString(section, key, text);
}

bool CxIniUtil::WriteBool(const char* section, const char* key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

void CxIniUtil::BeginBatch() {
    m_batch = std::make_unique<platform::ProfileDocument>();
    m_batch->Load(m_path);
    m_batchDirty = false;
}

bool CxIniUtil::EndBatch() {
    if (!m_batch) return false;
    bool ok = true;
    if (m_batchDirty) ok = m_batch->Save(m_path);
    m_batch.reset();
    m_batchDirty = false;
    return ok;
}
