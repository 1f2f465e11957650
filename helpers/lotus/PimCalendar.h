#pragma once
// The events, to-dos and journal entries of an iCalendar export as the
// records of the Lotus Notes data files.
#include <cstddef>
#include <functional>
#include <string_view>

#include "helpers/lotus/LnRecords.h"
#include "helpers/pim/PimRecords.h"

namespace lotus_helper {

// An event as a calendar entry: its repeat as Notes keeps one (a unit,
// an interval, the weekdays or the day of the month, an end date); an
// all-day event from midnight to midnight.
LnEntry EntryRecord(const pim::Event& event);

// Every VTODO (`todos`) or VJOURNAL of a text, in file order, read a part of
// about `partSize` bytes at a time with the zones of the calendar's head.
// Each handler, and `proceed` between the parts, returns false to end the
// reading, which then returns false.
bool ReadTodos(std::string_view text, const std::function<bool(const LnTodo&)>& todo,
               const std::function<bool()>& proceed = {}, std::size_t partSize = 1024 * 1024);
bool ReadJournals(std::string_view text, const std::function<bool(const LnDocument&)>& document,
                  const std::function<bool()>& proceed = {}, std::size_t partSize = 1024 * 1024);

}  // namespace lotus_helper
