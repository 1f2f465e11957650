// CSV tables: any text read into rows, written back with every field
// quoted, reads as the same rows; a Google Contacts export of any text
// reads without fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/google/GoogleCsv.h"
#include "helpers/pim/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto rows = pim::ReadCsv(pim::CsvTextAsUtf8(text));
    std::string again;
    for (const pim::CsvRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) again += ',';
            again += '"';
            for (char c : row[i]) again += c == '"' ? std::string("\"\"") : std::string(1, c);
            again += '"';
        }
        again += "\r\n";
    }
    if (pim::ReadCsv(again) != rows) __builtin_trap();
    google_helper::LooksLikeGoogleCsv(text);
    google_helper::ReadGoogleCsv(text);
    return 0;
}
