#pragma once
// Writes a helper's record data file: a 32-bit record count, then the
// records, each field in the exchange encodings (32-bit integers and flags,
// 8-byte OLE dates, texts as a 32-bit byte count and the bytes). The file is
// written under a temporary name and takes its real name only in Commit,
// with the count of the records ended so far, so the program never finds a
// partial data file.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file/AtomicFile.h"

class ExchangeDataWriter {
public:
    ExchangeDataWriter() = default;
    // An uncommitted file is removed.
    ~ExchangeDataWriter();
    ExchangeDataWriter(const ExchangeDataWriter&) = delete;
    ExchangeDataWriter& operator=(const ExchangeDataWriter&) = delete;

    bool Open(const std::string& path);
    void Int(std::int32_t value);
    void Flag(bool value);
    void Date(double oleDate);
    void Text(std::string_view text);
    // Ends one record.
    void EndRecord() { ++m_count; }
    // Writes the count, closes the file and gives it its name. False when
    // any write failed; the file is then removed.
    bool Commit();
    void Abandon();
    std::int32_t GetCount() const { return m_count; }

private:
    platform::file::AtomicFileWriter m_file;
    std::int32_t m_count = 0;
};
