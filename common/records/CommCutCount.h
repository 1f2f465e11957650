#pragma once
// Text values that had to be shortened to fit a fixed-capacity member.
//
// Whoever cuts a value to a member's capacity reports it here: each cut
// gives one debug-log line naming the record, the field and both lengths,
// and is counted for its record kind. A value that was cut once (by a
// reader) and is cut again further on (by a conversion) counts once. The
// driver reads the counts after a load or a migration and resets them
// before the next one.
#include <cstddef>
#include <string_view>

// Reports that `value` (the text as it arrived, `fullLength` bytes) of
// field `field` of `record` ("Palm contact 1017") was cut to `kept`. The
// cut is logged; it is counted for `kind` (CommRecordKind) unless `value`
// is itself what an earlier cut of the same record kept.
void CommReportCut(int kind, std::string_view record, std::string_view field, std::string_view value,
                   std::size_t fullLength, std::string_view kept);

// Values of `kind` shortened since the last reset; 0 for an unknown kind.
std::size_t CommGetCutCount(int kind);
// Sets the counts of all kinds to 0 and forgets the earlier cuts.
void CommResetCutCounts();

// Copies `src` into `dst` of capacity `cap` as platform::CopyText does and
// reports the cut when the value did not fit. Returns the bytes copied.
std::size_t CommCopyReported(int kind, std::string_view record, std::string_view field, char* dst, std::size_t cap,
                             std::string_view src);
