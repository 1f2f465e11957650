#pragma once
// The parameter file a helper program reads: a 32-bit count, then each
// parameter as a 32-bit id, a 32-bit value type and the value. Every value
// this program writes is a text (type 8): a 32-bit byte count and the bytes,
// without terminator, at most 1023 bytes. The file may hold a password in
// plain text, so it is created readable by its owner only.
#include <cstdint>
#include <string>
#include <vector>

class CxParamWriter {
public:
    static constexpr std::size_t kValueLimit = 1023;
    static constexpr std::size_t kPathCapacity = 260;

    explicit CxParamWriter(const char* path = nullptr);
    virtual ~CxParamWriter() = default;

    // Appends a parameter, or replaces the value of the one with the same id.
    // False when that one has another value type.
    bool SetParam(std::int32_t id, std::int32_t type, const char* value);
    // Writes every parameter in the order they were first set. A given path
    // replaces the stored one. False when the file cannot be written.
    bool WriteToFile(const char* path = nullptr);

    std::size_t GetCount() const { return m_params.size(); }
    const char* GetPath() const { return m_path; }

private:
    struct Param {
        std::int32_t id;
        std::int32_t type;
        std::string value;
    };
    std::vector<Param> m_params;
    char m_path[kPathCapacity];
};
