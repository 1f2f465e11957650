#pragma once
// Typed access to one settings file in the private-profile format.
#include <cstddef>
#include <memory>
#include <string>

namespace platform {
class ProfileDocument;
}

class CxIniUtil {
public:
    // The path is folder + file name; an empty folder means the program's
    // own folder.
    CxIniUtil(const char* folder, const char* fileName);
    ~CxIniUtil();

    // Replaces the path when the new one is not empty.
    void SetFileName(const char* path);
    const char* GetFileName() const { return m_path.c_str(); }
    // The section used when a call names an empty one (at most 31 characters).
    void SetDefaultSection(const char* section);

    // Copies the value (or the default when the key is missing) into the
    // buffer, cut to size - 1 bytes; returns the number of bytes copied.
    // Returns 0 without copying when key, buffer or size is missing.
    int ReadString(const char* section, const char* key, char* buffer, std::size_t size, const char* def);
    // The decimal value of the text's leading digits (leading blanks and a
    // sign allowed; anything else reads as 0); the default when the key is
    // missing or empty.
    void ReadInt(const char* section, const char* key, int& target, int def);
    int GetInt(const char* section, const char* key, int def);
    bool GetBool(const char* section, const char* key, bool def);

    bool WriteString(const char* section, const char* key, const char* value);
    bool WriteInt(const char* section, const char* key, int value);
    bool WriteBool(const char* section, const char* key, bool value);

    // Between these two calls, reads and writes work on one copy of the
    // file in memory, which EndBatch writes back once (atomically) when
    // something was written. Without a batch every write replaces the file.
    void BeginBatch();
    bool EndBatch();

private:
    const char* Section(const char* section) const;
    std::string m_path;
    std::string m_defaultSection;
    std::unique_ptr<platform::ProfileDocument> m_batch;
    bool m_batchDirty = false;
};
