// Repeat rule texts of Palm Desktop 6.x calendar and task records: any text,
// with a start time from the first four bytes and the form from the fifth,
// must give a rule whose members fit its kind.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/palm/PmRepeatText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    std::int32_t start = 0;
    std::memcpy(&start, data, sizeof start);
    const PmRepeatForm form = (data[4] & 1) ? PmRepeatForm::Task : PmRepeatForm::Calendar;
    // The text as a record member holds it: up to its first NUL.
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);
    PmRepeatInfo r;
    std::memset(&r, 0xA5, sizeof r);
    PmParseRepeatText(text.c_str(), r, form, start);

    if (r.RepeatKind < 0 || r.RepeatKind > 5) __builtin_trap();
    if (form == PmRepeatForm::Task && r.RepeatKind == 5) __builtin_trap();
    if (r.DayIndex != 0 || r.FirstDayOfWeek != 0 || r.DayMask > 0x7F) __builtin_trap();
    if (r.RepeatKind == 0) {
        const PmRepeatInfo zero{};
        if (std::memcmp(&r, &zero, sizeof r) != 0) __builtin_trap();
    } else if (r.EndDate == 0 && text.find(' ') == std::string::npos) {
        __builtin_trap();  // a rule without an end never ends at once
    }
    if (r.RepeatKind == 5 && (r.MonthIndex < 0 || r.MonthIndex > 11)) __builtin_trap();
    return 0;
}
