#pragma once
// Google data files as the Google helpers write them ("GAddr.dat",
// "GDate.dat", "GCal.dat"), built from a few fields each: every slot,
// text and date a test leaves out is written empty, in the exact layout.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "helpers/exchange/ExchangeDataWriter.h"
#include "tests/support/Dates.h"

namespace fwtest {

struct GAddressSlot {
    int type = 1;  // 1 home, 2 work, 3 other
    std::string formatted, city, state, country, postal, street, poBox, neighborhood;
};

struct GContact {
    std::string first, middle, last, display, nick, company, title;
    std::vector<std::pair<int, std::string>> emails;  // type, address (5 slots)
    std::string primaryEmail;
    std::vector<GAddressSlot> addresses;              // 5 slots
    std::vector<std::pair<int, std::string>> phones;  // 10 slots
    std::string primaryPhone;
    std::vector<std::pair<int, std::string>> webs;  // 10 slots
    std::string primaryWeb;
    std::vector<std::pair<int, std::string>> ims;  // 10 slots
    std::string primaryIm;
    std::vector<std::string> customLabels, customValues;  // 10 each
    std::vector<std::pair<int, double>> dates;            // 5 slots
    std::vector<std::pair<int, std::string>> relations;   // 20 slots
    std::string extra, notes, group;
    double created = 0.0, modified = 0.0;
};

struct GEvent {
    std::string id, title, location;
    double start = 0.0, end = 0.0;
    int allDay = 0, visibility = 0, transparency = 0;
    int reminderCount = 0;
    int reminderMethod[3] = {0, 0, 0}, reminderOffset[3] = {0, 0, 0}, reminderUnit[3] = {0, 0, 0};
    std::string recurrence;
    int recurrenceType = 0, recurrenceHasEnd = 0;
    double recurrenceStart = 0.0, recurrenceEnd = 0.0;
    int interval = 0, weekdayMask = 0, dayOfMonth = 0, monthOfYear = 0, instance = 0;
    std::string extra, calendarId, description, category;
    double created = 0.0, modified = 0.0;
};

struct GCalendar {
    std::string name, id, description, timeZone;
};

namespace gdetail {

inline void Slots(ExchangeDataWriter& w, const std::vector<std::pair<int, std::string>>& filled, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) w.Int(i < filled.size() ? filled[i].first : 0);
    for (std::size_t i = 0; i < count; ++i) w.Text(i < filled.size() ? filled[i].second : std::string());
}

inline void Texts(ExchangeDataWriter& w, const std::vector<std::string>& texts, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) w.Text(i < texts.size() ? texts[i] : std::string());
}

template <class Member>
void AddressTexts(ExchangeDataWriter& w, const std::vector<GAddressSlot>& filled, Member member) {
    for (std::size_t i = 0; i < 5; ++i) w.Text(i < filled.size() ? filled[i].*member : std::string());
}

}  // namespace gdetail

inline void WriteGContact(ExchangeDataWriter& w, std::int32_t number, const GContact& c) {
    using namespace gdetail;
    w.Int(number);
    w.Int(0);
    w.Int(0);
    for (const std::string* t : {&c.first, &c.middle, &c.last, &c.display, &c.nick, &c.company, &c.title}) w.Text(*t);
    Slots(w, c.emails, 5);
    w.Text(c.primaryEmail);
    for (std::size_t i = 0; i < 5; ++i) w.Int(i < c.addresses.size() ? c.addresses[i].type : 0);
    AddressTexts(w, c.addresses, &GAddressSlot::formatted);
    AddressTexts(w, c.addresses, &GAddressSlot::city);
    AddressTexts(w, c.addresses, &GAddressSlot::state);
    AddressTexts(w, c.addresses, &GAddressSlot::country);
    AddressTexts(w, c.addresses, &GAddressSlot::postal);
    AddressTexts(w, c.addresses, &GAddressSlot::street);
    AddressTexts(w, c.addresses, &GAddressSlot::poBox);
    AddressTexts(w, c.addresses, &GAddressSlot::neighborhood);
    Slots(w, c.phones, 10);
    w.Text(c.primaryPhone);
    Slots(w, c.webs, 10);
    w.Text(c.primaryWeb);
    Slots(w, c.ims, 10);
    w.Text(c.primaryIm);
    Texts(w, c.customLabels, 10);
    Texts(w, c.customValues, 10);
    for (std::size_t i = 0; i < 5; ++i) w.Int(i < c.dates.size() ? c.dates[i].first : 0);
    for (std::size_t i = 0; i < 5; ++i) w.Date(i < c.dates.size() ? c.dates[i].second : 0.0);
    Slots(w, c.relations, 20);
    w.Text(c.extra);
    w.Text(c.notes);
    w.Text(c.group);
    w.Date(c.created);
    w.Date(c.modified);
    w.EndRecord();
}

inline void WriteGEvent(ExchangeDataWriter& w, std::int32_t number, const GEvent& e) {
    w.Int(number);
    w.Int(0);
    w.Int(0);
    w.Text(e.id);
    w.Text(e.title);
    w.Text(e.location);
    w.Date(e.start);
    w.Date(e.end);
    w.Int(e.allDay);
    w.Int(e.visibility);
    w.Int(e.transparency);
    w.Int(e.reminderCount);
    for (int v : e.reminderMethod) w.Int(v);
    for (int v : e.reminderOffset) w.Int(v);
    for (int v : e.reminderUnit) w.Int(v);
    w.Text(e.recurrence);
    w.Int(e.recurrenceType);
    w.Int(e.recurrenceHasEnd);
    w.Date(e.recurrenceStart);
    w.Date(e.recurrenceEnd);
    for (int v : {e.interval, e.weekdayMask, e.dayOfMonth, e.monthOfYear, e.instance}) w.Int(v);
    w.Text(e.extra);
    w.Text(e.calendarId);
    w.Text(e.description);
    w.Text(e.category);
    w.Date(e.created);
    w.Date(e.modified);
    w.EndRecord();
}

inline bool WriteGAddrFile(const std::string& path, const std::vector<GContact>& contacts) {
    ExchangeDataWriter w;
    if (!w.Open(path)) return false;
    for (std::size_t i = 0; i < contacts.size(); ++i) WriteGContact(w, static_cast<std::int32_t>(i + 1), contacts[i]);
    return w.Commit();
}

inline bool WriteGDateFile(const std::string& path, const std::vector<GEvent>& events) {
    ExchangeDataWriter w;
    if (!w.Open(path)) return false;
    for (std::size_t i = 0; i < events.size(); ++i) WriteGEvent(w, static_cast<std::int32_t>(i + 1), events[i]);
    return w.Commit();
}

inline bool WriteGCalFile(const std::string& path, const std::vector<GCalendar>& calendars) {
    ExchangeDataWriter w;
    if (!w.Open(path)) return false;
    for (const GCalendar& c : calendars) {
        w.Text(c.name);
        w.Text(c.id);
        w.Text(c.description);
        w.Text(c.timeZone);
        w.EndRecord();
    }
    return w.Commit();
}

}  // namespace fwtest
