#pragma once
// Binary and line-oriented access to one file, in the byte forms of the
// helper exchange files: 32-bit counts and integers, 8-byte reals, counted
// texts without terminator, lines ending in CR LF.
//
// Every read and write returns false and does nothing when no file is
// open. A read that meets the end of the file leaves its target as it was;
// it is not reported by the call itself, but `HadShortRead` tells it
// afterwards, for callers that must not take a cut file for a whole one.
#include <cstddef>
#include <cstdint>
#include <cstdio>

class CxFile {
public:
    CxFile() = default;
    ~CxFile();
    CxFile(const CxFile&) = delete;
    CxFile& operator=(const CxFile&) = delete;

    // Opens with a C stdio mode ("rb", "wb", "ab", "r"). With `ownerOnly` a
    // file that is created is readable and writable by its owner only.
    bool Open(const char* path, const char* mode, bool ownerOnly = false);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads a 32-bit byte count (reported through `length` when given) and
    // that many bytes. At most capacity - 1 of them are stored, cut without
    // splitting a UTF-8 sequence, and terminated; the rest is skipped. A
    // count of 0 leaves the buffer untouched.
    bool ReadString(char* buffer, std::size_t capacity, std::int32_t* length = nullptr);
    bool ReadInt(std::int32_t& target);
    bool ReadBool(std::int32_t& target);
    bool ReadDouble(double& target);
    // Reads bytes up to a line feed (dropped, as is a CR before it), keeping
    // at most capacity - 1 of them. False at the end of the file.
    bool ReadLine(char* buffer, std::size_t capacity);

    bool WriteString(const char* text);
    bool WriteInt(std::int32_t value);
    bool WriteBool(bool value);
    bool WriteDouble(double value);
    // The text followed by CR LF; a missing text writes only the line end.
    bool WriteLine(const char* text);
    bool WriteBytes(const void* data, std::size_t size);
    // Up to `size` bytes; the number read, 0 at the end of the file.
    std::size_t ReadSome(void* target, std::size_t size);

    // True once any read since Open met the end of the file early.
    bool HadShortRead() const { return m_shortRead; }
    // True when the file is open and fully read.
    bool AtEnd();

    // Size of a file in bytes, or -1 when it cannot be opened for reading.
    static long GetFileSize(const char* path);

private:
    bool ReadBytes(void* target, std::size_t size);
    std::FILE* m_file = nullptr;
    bool m_shortRead = false;
};
