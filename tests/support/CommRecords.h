#pragma once
// Builders of zero-filled common records for the list and matching tests.
#include <cstdint>

#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"
#include "platform/text/TextCopy.h"
#include "tests/support/Dates.h"
#include "tests/support/Zeroed.h"

namespace fwtest {

// A contact by first name, last name and e-mail, with a home phone.
inline CommAddrRec Person(const char* first, const char* last, const char* email = "", const char* phone = "") {
    auto r = Zero<CommAddrRec>();
    platform::CopyText(r.FirstName, first);
    platform::CopyText(r.LastName, last);
    platform::CopyText(r.Email, email);
    platform::CopyText(r.HomePhone, phone);
    return r;
}

// A contact without first name, last name and e-mail.
inline CommAddrRec Nameless(const char* display, const char* company, const char* phone = "") {
    auto r = Zero<CommAddrRec>();
    platform::CopyText(r.DisplayName, display);
    platform::CopyText(r.Company, company);
    platform::CopyText(r.HomePhone, phone);
    return r;
}

// A timed event, or an all-day one when `allDay` is set.
inline CommDateRec Event(const char* subject, SYSTEMTIME start, SYSTEMTIME end, const char* location = "",
                         bool allDay = false) {
    auto r = Zero<CommDateRec>();
    platform::CopyText(r.Subject, subject);
    platform::CopyText(r.Location, location);
    r.Start = start;
    r.End = end;
    r.AllDay = allDay ? 1 : 0;
    return r;
}

inline CommTaskRec Todo(const char* subject, int priority = 0, std::int32_t due = 0) {
    auto r = Zero<CommTaskRec>();
    platform::CopyText(r.Subject, subject);
    r.Priority = priority;
    r.DueDate = due;
    return r;
}

inline CommNoteRec Memo(const char* subject, const char* text) {
    auto r = Zero<CommNoteRec>();
    platform::CopyText(r.Subject, subject);
    platform::CopyText(r.Note, text);
    return r;
}

}  // namespace fwtest
