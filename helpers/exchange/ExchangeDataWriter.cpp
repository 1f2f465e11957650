#include "helpers/exchange/ExchangeDataWriter.h"

#include <unistd.h>

#include "platform/paths/PrivateFiles.h"

ExchangeDataWriter::~ExchangeDataWriter() { Abandon(); }

bool ExchangeDataWriter::Open(const std::string& path) {
    Abandon();
    m_path = path;
    m_temp = path + "." + std::to_string(::getpid()) + ".part";
    m_file = platform::OpenPrivateFile(m_temp, "wb");
    m_count = 0;
    m_ok = m_file != nullptr;
    const std::int32_t placeholder = 0;
    Put(&placeholder, sizeof placeholder);
    return m_ok;
}

void ExchangeDataWriter::Put(const void* bytes, std::size_t size) {
    if (m_file == nullptr || size == 0) return;
    if (std::fwrite(bytes, 1, size, m_file) != size) m_ok = false;
}

void ExchangeDataWriter::Int(std::int32_t value) { Put(&value, sizeof value); }
void ExchangeDataWriter::Flag(bool value) { Int(value ? 1 : 0); }
void ExchangeDataWriter::Date(double oleDate) { Put(&oleDate, sizeof oleDate); }

void ExchangeDataWriter::Text(std::string_view text) {
    Int(static_cast<std::int32_t>(text.size()));
    Put(text.data(), text.size());
}

bool ExchangeDataWriter::Commit() {
    if (m_file == nullptr) return false;
    if (std::fseek(m_file, 0, SEEK_SET) != 0) m_ok = false;
    Put(&m_count, sizeof m_count);
    if (std::fclose(m_file) != 0) m_ok = false;
    m_file = nullptr;
    if (m_ok && std::rename(m_temp.c_str(), m_path.c_str()) == 0) {
        m_temp.clear();
        return true;
    }
    std::remove(m_temp.c_str());
    m_temp.clear();
    return false;
}

void ExchangeDataWriter::Abandon() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) std::remove(m_temp.c_str());
    m_temp.clear();
}
