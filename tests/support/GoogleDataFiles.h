#pragma once
// Reads the Google helpers' data files field by field in their published
// layouts ("GAddr.dat", "GDate.dat", "GCal.dat"), independent of the
// program's own readers, for the tests of the helper programs.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace fwtest {

class ExchangeCursor {
public:
    explicit ExchangeCursor(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::int32_t Int() {
        std::int32_t v = 0;
        Take(&v, 4);
        return v;
    }
    double Date() {
        double v = 0;
        Take(&v, 8);
        return v;
    }
    std::string Text() {
        const std::int32_t n = Int();
        if (n < 0 || m_bytes.size() - m_pos < static_cast<std::size_t>(n)) {
            m_bad = true;
            return {};
        }
        std::string s = m_bytes.substr(m_pos, static_cast<std::size_t>(n));
        m_pos += static_cast<std::size_t>(n);
        return s;
    }
    template <std::size_t N>
    std::array<std::int32_t, N> Ints() {
        std::array<std::int32_t, N> a{};
        for (auto& v : a) v = Int();
        return a;
    }
    template <std::size_t N>
    std::array<std::string, N> Texts() {
        std::array<std::string, N> a{};
        for (auto& v : a) v = Text();
        return a;
    }
    bool AtEnd() const { return m_pos == m_bytes.size(); }
    bool Bad() const { return m_bad; }

private:
    void Take(void* out, std::size_t n) {
        if (m_bytes.size() - m_pos < n) {
            m_bad = true;
            return;
        }
        std::memcpy(out, m_bytes.data() + m_pos, n);
        m_pos += n;
    }
    std::string m_bytes;
    std::size_t m_pos = 0;
    bool m_bad = false;
};

struct GContactData {
    std::array<std::int32_t, 3> header{};
    std::array<std::string, 7> names;  // first, middle, last, display, nick, company, title
    std::array<std::int32_t, 5> emailTypes{};
    std::array<std::string, 5> emails;
    std::string primaryEmail;
    std::array<std::int32_t, 5> addressTypes{};
    std::array<std::string, 5> formatted, city, state, country, postal, street, poBox, neighbourhood;
    std::array<std::int32_t, 10> phoneTypes{};
    std::array<std::string, 10> phones;
    std::string primaryPhone;
    std::array<std::int32_t, 10> webTypes{};
    std::array<std::string, 10> webs;
    std::string primaryWeb;
    std::array<std::int32_t, 10> imTypes{};
    std::array<std::string, 10> ims;
    std::string primaryIm;
    std::array<std::string, 10> customLabels, customValues;
    std::array<std::int32_t, 5> dateTypes{};
    std::array<double, 5> dates{};
    std::array<std::int32_t, 20> relationTypes{};
    std::array<std::string, 20> relations;
    std::string kept, notes, groups;
    double created = 0, modified = 0;
};

struct GEventData {
    std::array<std::int32_t, 3> header{};
    std::string id, title, location;
    double start = 0, end = 0;
    std::int32_t allDay = 0, visibility = 0, transparency = 0, reminderCount = 0;
    std::array<std::int32_t, 3> methods{}, offsets{}, units{};
    std::string recurrence;
    std::int32_t type = 0, hasEnd = 0;
    double repeatStart = 0, repeatEnd = 0;
    std::int32_t interval = 0, mask = 0, dayOfMonth = 0, month = 0, instance = 0;
    std::string kept, calendarId, description, category;
    double created = 0, modified = 0;
};

struct GCalendarData {
    std::string name, id, description, timeZone;
};

// Every record of a file; `ok` false when the file is missing, cut short
// or longer than its records.
inline std::vector<GContactData> ReadGContacts(const std::string& path, bool& ok) {
    ExchangeCursor in(ReadFile(path));
    std::vector<GContactData> out;
    const std::int32_t count = in.Int();
    for (std::int32_t i = 0; i < count && !in.Bad(); ++i) {
        GContactData c;
        c.header = in.Ints<3>();
        c.names = in.Texts<7>();
        c.emailTypes = in.Ints<5>();
        c.emails = in.Texts<5>();
        c.primaryEmail = in.Text();
        c.addressTypes = in.Ints<5>();
        for (auto* a : {&c.formatted, &c.city, &c.state, &c.country, &c.postal, &c.street, &c.poBox, &c.neighbourhood})
            *a = in.Texts<5>();
        c.phoneTypes = in.Ints<10>();
        c.phones = in.Texts<10>();
        c.primaryPhone = in.Text();
        c.webTypes = in.Ints<10>();
        c.webs = in.Texts<10>();
        c.primaryWeb = in.Text();
        c.imTypes = in.Ints<10>();
        c.ims = in.Texts<10>();
        c.primaryIm = in.Text();
        c.customLabels = in.Texts<10>();
        c.customValues = in.Texts<10>();
        c.dateTypes = in.Ints<5>();
        for (double& d : c.dates) d = in.Date();
        c.relationTypes = in.Ints<20>();
        c.relations = in.Texts<20>();
        c.kept = in.Text();
        c.notes = in.Text();
        c.groups = in.Text();
        c.created = in.Date();
        c.modified = in.Date();
        out.push_back(std::move(c));
    }
    ok = count >= 0 && !in.Bad() && in.AtEnd();
    return out;
}

inline std::vector<GEventData> ReadGEvents(const std::string& path, bool& ok) {
    ExchangeCursor in(ReadFile(path));
    std::vector<GEventData> out;
    const std::int32_t count = in.Int();
    for (std::int32_t i = 0; i < count && !in.Bad(); ++i) {
        GEventData e;
        e.header = in.Ints<3>();
        e.id = in.Text();
        e.title = in.Text();
        e.location = in.Text();
        e.start = in.Date();
        e.end = in.Date();
        e.allDay = in.Int();
        e.visibility = in.Int();
        e.transparency = in.Int();
        e.reminderCount = in.Int();
        e.methods = in.Ints<3>();
        e.offsets = in.Ints<3>();
        e.units = in.Ints<3>();
        e.recurrence = in.Text();
        e.type = in.Int();
        e.hasEnd = in.Int();
        e.repeatStart = in.Date();
        e.repeatEnd = in.Date();
        e.interval = in.Int();
        e.mask = in.Int();
        e.dayOfMonth = in.Int();
        e.month = in.Int();
        e.instance = in.Int();
        e.kept = in.Text();
        e.calendarId = in.Text();
        e.description = in.Text();
        e.category = in.Text();
        e.created = in.Date();
        e.modified = in.Date();
        out.push_back(std::move(e));
    }
    ok = count >= 0 && !in.Bad() && in.AtEnd();
    return out;
}

inline std::vector<GCalendarData> ReadGCalendars(const std::string& path, bool& ok) {
    ExchangeCursor in(ReadFile(path));
    std::vector<GCalendarData> out;
    const std::int32_t count = in.Int();
    for (std::int32_t i = 0; i < count && !in.Bad(); ++i) {
        GCalendarData c;
        c.name = in.Text();
        c.id = in.Text();
        c.description = in.Text();
        c.timeZone = in.Text();
        out.push_back(std::move(c));
    }
    ok = count >= 0 && !in.Bad() && in.AtEnd();
    return out;
}

}  // namespace fwtest
