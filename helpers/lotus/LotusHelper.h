#pragma once
// The work of the four Lotus Notes helper programs: find the export named
// by the database path of the parameters (a DXL file or a folder of them, a
// vCard or an iCalendar file), read the records of the program's kind from
// it into the data file, report progress and errors, and honour "Stop".
#include "helpers/lotus/LnRecords.h"

namespace lotus_helper {

// Parameters the Lotus Notes helpers read beyond the exchange's own.
enum LotusParam : int {
    kParamDatabase = 1008,          // mail database or notebook
    kParamContactsDatabase = 1009,  // address book
};

// The program's whole run; its exit code.
int RunHelper(int argc, char** argv, LnKind kind);

}  // namespace lotus_helper
