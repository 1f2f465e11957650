#pragma once
// What a detail window shows of a native record, as tables: each entry
// names a list row's label (or an edit's or check box's object name) and
// the function that reads its value from the record, already formatted.
// The accessors below turn a record member into such a function, so a
// describer's table reads as label, member, form.
#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/wizard/DetailView.h"
#include "platform/clock/SystemTime.h"

namespace detail {

template <class Rec, class Value = std::string>
struct Entry {
    const char* name;  // a list row's first text, or an object name
    Value (*value)(const Rec&);
};

// Rows in table order; a row whose value is empty is left out.
template <class Rec, std::size_t N>
void AddRows(DetailView& view, std::string_view list, const Rec& rec, const Entry<Rec> (&rows)[N]) {
    for (const Entry<Rec>& row : rows) AddRow(view, list, row.name, row.value(rec));
}

template <class Rec, std::size_t N>
void SetTexts(DetailView& view, const Rec& rec, const Entry<Rec> (&edits)[N]) {
    for (const Entry<Rec>& edit : edits) SetText(view, edit.name, edit.value(rec));
}

template <class Rec, std::size_t N>
void SetChecks(DetailView& view, const Rec& rec, const Entry<Rec, bool> (&checks)[N]) {
    for (const Entry<Rec, bool>& check : checks) SetCheck(view, check.name, check.value(rec));
}

// The text forms of the windows. A date value of 0.001 or less (no date)
// gives nothing; others "MM/DD/YYYY", "hh:mm:ss" or both, in every year.
std::string DateText(DATE value);
std::string TimeText(DATE value);
std::string DateTimeText(DATE value);
const char* YesNo(bool value);
// A number with its extension in one cell: "number * extension"; the
// number alone without an extension, and nothing without a number.
std::string PhoneText(std::string_view number, std::string_view extension);
// The non-empty lines, one below the other.
std::string JoinLines(std::initializer_list<std::string_view> lines);

// A text array's contents up to its terminator, never past its end.
template <std::size_t N>
std::string FixedText(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N, '\0'));
}

namespace rows {

template <class M>
struct MemberOf;
template <class Rec, class T>
struct MemberOf<T Rec::*> {
    using type = Rec;
};
template <auto Member>
using RecOf = typename MemberOf<decltype(Member)>::type;

}  // namespace rows

// Accessors of a record member: &Text<&Rec::Title> reads a text array,
// Date, Time and DateTime a date value, YesNoOf and Flag a flag.
template <auto Member>
std::string Text(const rows::RecOf<Member>& rec) {
    return FixedText(rec.*Member);
}
template <auto Member>
std::string Date(const rows::RecOf<Member>& rec) {
    return DateText(rec.*Member);
}
template <auto Member>
std::string Time(const rows::RecOf<Member>& rec) {
    return TimeText(rec.*Member);
}
template <auto Member>
std::string DateTime(const rows::RecOf<Member>& rec) {
    return DateTimeText(rec.*Member);
}
template <auto Member>
std::string YesNoOf(const rows::RecOf<Member>& rec) {
    return YesNo(rec.*Member != 0);
}
template <auto Member>
bool Flag(const rows::RecOf<Member>& rec) {
    return rec.*Member != 0;
}

// The repeat rule's range: the start shown when above 0.001, the end (and
// "End by") only when the rule has one.
inline void SetRange(DetailRecurrence& repeat, DATE start, DATE end, bool hasEnd) {
    repeat.start = start;
    repeat.end = hasEnd ? end : 0.0;
}

}  // namespace detail
