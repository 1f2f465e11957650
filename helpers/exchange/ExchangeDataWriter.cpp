#include "helpers/exchange/ExchangeDataWriter.h"

ExchangeDataWriter::~ExchangeDataWriter() { Abandon(); }

bool ExchangeDataWriter::Open(const std::string& path) {
    // The program reads the file as soon as the helper ends, and it holds
    // account data: the owner's only, not flushed to disk.
    platform::file::AtomicOptions options;
    options.mode = 0600;
    options.flush = false;
    m_count = 0;
    if (!m_file.Open(path, options)) return false;
    Int(0);  // the record count, filled in by Commit
    return true;
}

void ExchangeDataWriter::Int(std::int32_t value) { m_file.Write(&value, sizeof value); }
void ExchangeDataWriter::Flag(bool value) { Int(value ? 1 : 0); }
void ExchangeDataWriter::Date(double oleDate) { m_file.Write(&oleDate, sizeof oleDate); }

void ExchangeDataWriter::Text(std::string_view text) {
    Int(static_cast<std::int32_t>(text.size()));
    m_file.Write(text);
}

bool ExchangeDataWriter::Commit() {
    if (!m_file.IsOpen()) return false;
    m_file.WriteAt(0, &m_count, sizeof m_count);
    return m_file.Commit();
}

void ExchangeDataWriter::Abandon() { m_file.Abandon(); }
