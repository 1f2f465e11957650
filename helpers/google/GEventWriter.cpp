#include "helpers/google/GEventWriter.h"

#include <climits>

#include "platform/text/TextCopy.h"

namespace google_helper {

namespace {

void Text(ExchangeDataWriter& out, std::string_view text, std::size_t capacity) {
    out.Text(text.substr(0, platform::Utf8PrefixLength(text, capacity)));
}

std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

}  // namespace

void ReminderAmount(long long minutes, int& amount, int& unit) {
    static const long long sizes[] = {10080, 1440, 60};
    unit = 0;
    amount = minutes > INT_MAX ? INT_MAX : static_cast<int>(minutes);
    if (minutes <= 0) return;
    for (int i = 0; i < 3; ++i) {
        if (minutes % sizes[i] == 0 && minutes / sizes[i] <= INT_MAX) {
            unit = 3 - i;
            amount = static_cast<int>(minutes / sizes[i]);
            return;
        }
    }
}

void WriteEvent(ExchangeDataWriter& out, const pim::Event& e, const std::string& calendarId, int number) {
    out.Int(number);
    out.Int(0);
    out.Int(0);
    Text(out, e.uid, 31);
    Text(out, e.summary, 255);
    Text(out, e.location, 259);
    out.Date(e.start);
    out.Date(e.end);
    out.Int(e.allDay ? 1 : 0);
    out.Int(e.isPrivate ? 2 : 0);
    out.Int(e.busy < 0 ? 0 : e.busy);
    const std::size_t count = e.reminders.size() < 3 ? e.reminders.size() : 3;
    out.Int(static_cast<std::int32_t>(count));
    int amounts[3] = {0, 0, 0}, units[3] = {0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) ReminderAmount(e.reminders[i].minutes, amounts[i], units[i]);
    for (std::size_t i = 0; i < 3; ++i) out.Int(i < count ? (e.reminders[i].email ? 2 : 1) : 0);
    for (int a : amounts) out.Int(a);
    for (int u : units) out.Int(u);
    Text(out, e.recurrence, 4095);
    const pim::Repeat& r = e.repeat;
    out.Int(r.type);
    out.Int(r.hasEnd ? 1 : 0);
    out.Date(r.type != 0 ? e.start : 0.0);
    out.Date(r.hasEnd ? r.endDate : 0.0);
    out.Int(r.interval);
    out.Int(r.weekdayMask);
    out.Int(r.dayOfMonth);
    out.Int(r.monthOfYear);
    out.Int(r.instance);
    Text(out, "", 4095);
    Text(out, calendarId, 4095);
    Text(out, e.description, 10239);
    Text(out, Join(e.categories), 255);
    out.Date(e.created);
    out.Date(e.modified);
    out.EndRecord();
}

void WriteCalendar(ExchangeDataWriter& out, const pim::Calendar& c) {
    Text(out, c.name, 255);
    Text(out, c.id, 1023);
    Text(out, c.description.empty() ? c.colour : c.description, 1023);
    Text(out, c.timeZone, 255);
    out.EndRecord();
}

}  // namespace google_helper
