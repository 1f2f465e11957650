#include "common/records/CommDateMgr.h"

#include "common/records/CommCompare.h"

namespace {

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// A timed event starts and ends at a time of day, to the minute; an
// all-day event only on a day.
bool SameStartOrEnd(const CommDateRec& a, const CommDateRec& b, const SYSTEMTIME& x, const SYSTEMTIME& y) {
    if (!SameDay(x, y)) return false;
    if (a.AllDay != 0 && b.AllDay != 0) return true;
    return x.wHour == y.wHour && x.wMinute == y.wMinute;
}

void AppendStartOrEndKey(std::string& key, const CommDateRec& rec, const SYSTEMTIME& st) {
    long long value = static_cast<long long>(st.wYear) * 10000 + st.wMonth * 100 + st.wDay;
    if (rec.AllDay == 0) value = value * 10000 + st.wHour * 100 + st.wMinute;
    AppendNumberKey(key, value);
}

}  // namespace

bool CommDateRules::FieldEqual(const CommDateRec& a, const CommDateRec& b, int fieldId) {
    switch (fieldId) {
    case 1: return EqualNoCase(a.Subject, b.Subject);
    case 9: return EqualNoCase(a.Location, b.Location);
    case 2: return SameStartOrEnd(a, b, a.Start, b.Start);
    case 3: return SameStartOrEnd(a, b, a.End, b.End);
    case 13: return a.AllDay == b.AllDay;
    case 7: return CompareText(a.Note, b.Note);
    case 10: return a.Importance == b.Importance;
    default: return false;
    }
}

void CommDateRules::AppendFieldKey(std::string& key, const CommDateRec& rec, int fieldId) {
    switch (fieldId) {
    case 1: AppendNoCaseKey(key, rec.Subject); break;
    case 9: AppendNoCaseKey(key, rec.Location); break;
    case 2: AppendStartOrEndKey(key, rec, rec.Start); break;
    case 3: AppendStartOrEndKey(key, rec, rec.End); break;
    case 13: AppendNumberKey(key, rec.AllDay); break;
    default: break;
    }
}
