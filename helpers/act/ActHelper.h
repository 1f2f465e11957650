#pragma once
// The work of the four ACT! helper programs: read the kind's records from
// the Act! Web API or, for contacts, from a text export, write the data
// file, report progress and errors and honour "Stop".
#include "helpers/exchange/HelperSession.h"

namespace act_helper {

// Parameters the ACT! helpers read beyond the exchange's own.
enum ActParam : int {
    kParamPadFile = 1000,
    kParamUser = 1001,
    kParamPassword = 1002,
    kParamOpp = 1008,
    kParamOppNotes = 1009,
    kParamWebApiUrl = 1016,     // setting "ACTWebAPIURL"
    kParamDatabaseName = 1017,  // setting "ACTDatabaseName"
};

enum class Kind { Contacts, Calendar, Tasks, Notes };

// The program's whole run; its exit code.
int RunHelper(int argc, char** argv, Kind kind);

}  // namespace act_helper
