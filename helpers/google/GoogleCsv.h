#pragma once
// Contacts from a Google Contacts CSV export, of either header generation:
// the older one ("Name,Given Name,...,E-mail 1 - Type,E-mail 1 - Value")
// and the newer one ("First Name,Middle Name,Last Name,...,E-mail 1 -
// Label"). Columns are found by their names and numbered groups by their
// pattern; a cell may hold several values separated by " ::: ", and a
// label starting with "* " marks the primary value.
#include <string_view>
#include <vector>

#include "helpers/pim/PimRecords.h"

namespace google_helper {

// True when the first row names columns of a Google Contacts export.
bool LooksLikeGoogleCsv(std::string_view text);

std::vector<pim::Contact> ReadGoogleCsv(std::string_view text);

}  // namespace google_helper
