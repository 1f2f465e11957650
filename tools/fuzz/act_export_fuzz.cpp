// ACT! text exports: any bytes read as an export without fault; every
// contact read has a value in some field, its texts are valid UTF-8 with
// line breaks as CR LF; any column name maps to a catalogue id or none.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "helpers/act/ActColumnNames.h"
#include "helpers/act/ActExportValues.h"
#include "helpers/act/ActTextExport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!act::IsValidUtf8(act::ExportTextAsUtf8(bytes))) __builtin_trap();
    act::ExportTable table;
    int calls = 0;
    std::vector<act::Contact> contacts;
    act::ReadTextExport(
        bytes, table,
        [&](const act::Contact& c) {
            contacts.push_back(c);
            return true;
        },
        [&] { return ++calls > 1000000; },
        [&](int done, int total) {
            if (done < 1 || done > total) __builtin_trap();
        });
    if (contacts.size() != static_cast<std::size_t>(table.contacts) || table.contacts + table.skipped > table.rows)
        __builtin_trap();
    for (const act::Contact& c : contacts) {
        for (const std::string& t : c.text) {
            if (!act::IsValidUtf8(t)) __builtin_trap();
            for (std::size_t i = 0; i < t.size(); ++i)
                if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) __builtin_trap();
        }
    }
    const std::int32_t id = act::FieldOfColumn(bytes.substr(0, 40));
    if (id < 0 || id > 89) __builtin_trap();
    bool ok = true;
    act::ParseExportDate(bytes.substr(0, 64), ok);
    act::ParseExportFlag(bytes.substr(0, 16));
    return 0;
}
