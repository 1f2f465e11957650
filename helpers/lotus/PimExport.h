#pragma once
// Notes' vCard export of an address book and its iCalendar export of a
// mail database or notebook, turned into the records of the Lotus Notes
// data files.
#include <string>
#include <string_view>

#include "helpers/lotus/LnRecordSink.h"

namespace lotus_helper {

// The contacts of a vCard text (versions 2.1, 3.0 and 4.0, quoted-printable
// and other character sets decoded to UTF-8) handed to `sink`. False, with a
// message for the user in `error`, when the text holds no vCard at all;
// false with `error` empty when the sink ended the reading.
bool ReadVCardExport(std::string_view text, LnRecordSink& sink, std::string& error);

// The records of `kind` in an iCalendar text: its VEVENTs for the calendar,
// its VTODOs for the to-dos, its VJOURNALs for the notebook. A text holding
// none of them is read successfully. False as above.
bool ReadICalendarExport(std::string_view text, LnKind kind, LnRecordSink& sink, std::string& error);

}  // namespace lotus_helper
