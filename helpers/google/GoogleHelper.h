#pragma once
// The work of the two Google helper programs: read the contacts or the
// calendars from an export (parameter 1017) or from the account online,
// write the data file(s), report progress, errors and honour "Stop".
#include "helpers/exchange/HelperSession.h"

namespace google_helper {

// Parameters the Google helpers read beyond the exchange's own.
enum GoogleParam : int {
    kParamEmail = 1000,
    kParamPassword = 1001,
    kParamCalendarsFile = 1008,
    kParamExportPath = 1017,
    kParamServerUrl = 1018,
    kParamClientId = 1019,
    kParamClientSecret = 1020,
    kParamKeepToken = 1021,
    kParamTokenFile = 1022,
};

// The program's whole run; its exit code.
int RunHelper(int argc, char** argv, bool calendar);

}  // namespace google_helper
