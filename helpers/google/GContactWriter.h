#pragma once
// A contact as one record of the Google contacts data file: the names, the
// typed slots of e-mail, address, phone, web, instant-messaging, date and
// relation values with their type codes, the primary values, ten custom
// fields, notes, groups and the two times. Texts are cut to the fields'
// capacities on whole UTF-8 characters.
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/pim/PimRecords.h"

namespace google_helper {

void WriteContact(ExchangeDataWriter& out, const pim::Contact& contact, int number);

// A local OLE date of a contact's date; 0 for none. A date without a year
// is put into 1604, the year address books use for it.
double ContactDate(const pim::Date& date);

}  // namespace google_helper
