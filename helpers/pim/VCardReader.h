#pragma once
// Contacts from vCard texts of versions 2.1, 3.0 and 4.0 as address books
// write them: typed values, item groups labelled with X-ABLabel, the
// X- properties of instant messaging, related names and dates.
#include <functional>
#include <string_view>
#include <vector>

#include "helpers/pim/PimRecords.h"

namespace pim {

// Every card of a text, in order.
std::vector<Contact> ReadVCards(std::string_view text);
// The same, read a part at a time; `stop` is asked between the parts, and
// true ends the reading with false.
bool ReadVCards(std::string_view text, std::vector<Contact>& contacts, const std::function<bool()>& stop);

// A label as address books write their own ("_$!<Anniversary>!$_") as the
// plain word; other labels unchanged.
std::string PlainLabel(std::string_view label);

// A date written as "1980-01-02", "19800102", "--0102" or "--01-02" (a time
// after it is ignored); false when it is none of these.
bool ParseDate(std::string_view text, Date& date);

// A date of a contact as a local midnight; a date without a year in 1604,
// the year that stands for none. 0 when it is no date.
double LocalDate(const Date& date);

// A time stamp ("20200101T120000Z", "2020-01-01T12:00:00Z", a date) as a
// local OLE date; 0 when it cannot be read.
double ParseStamp(std::string_view text);

}  // namespace pim
