#pragma once
// Contacts from an ACT! text-delimited export (File, Export, with field
// names): a table separated by commas or tabs whose first line names the
// fields, in UTF-8, UTF-16 with a byte order mark or windows-1252.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/act/ActData.h"

namespace act {

// True for a chosen database file that is a text export by its name.
bool IsTextExportName(std::string_view path);

enum class ExportFailure {
    None,
    Empty,      // no first line at all
    NotATable,  // the first line names no field of an ACT! contact
    Stopped,
};

struct ExportTable {
    int contacts = 0;                         // contacts given on
    std::vector<std::string> unknownColumns;  // names of the columns not read
    int rows = 0;                             // rows after the first line
    int skipped = 0;                          // rows without a value in any read column
    int badDates = 0;                         // dates that could not be read (left empty)
    char separator = ',';
};

// Reads the whole export, giving each contact to `onContact` as it is read
// (false from it ends the reading as stopped), so that a large export is
// never held as contacts. `stop` is asked now and then; `progress` gets the
// rows read so far and in all.
using ContactSink = std::function<bool(const Contact&)>;
ExportFailure ReadTextExport(std::string_view bytes, ExportTable& out, const ContactSink& onContact,
                             const std::function<bool()>& stop = nullptr,
                             const std::function<void(int, int)>& progress = nullptr);

}  // namespace act
