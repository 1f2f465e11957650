#pragma once
// A Palm Desktop 4.1.4 address book of people given as first name, last
// name and company, written as Palm Desktop writes it (tools/palmdat).
#include <array>
#include <string>
#include <vector>

#include "tools/palmdat/PalmDatWriter.h"

namespace fwtest {

inline palmdat::DatFile PalmContacts(const std::vector<std::array<std::string, 3>>& people) {
    palmdat::DatFile file = palmdat::NewFile(palmdat::Kind::Address, palmdat::Format::V414);
    std::int32_t id = 1;
    for (const auto& [first, last, company] : people) {
        palmdat::Record r = palmdat::NewRecord(palmdat::Kind::Address, palmdat::Format::V414);
        r[0].number = id++;  // record id
        r[2].number = 1;     // status
        r[13] = palmdat::Value::Text(first);
        r[14] = palmdat::Value::Text(last);
        r[16] = palmdat::Value::Text(company);
        file.records.push_back(r);
    }
    return file;
}

}  // namespace fwtest
