#include "common/records/CommDateMgr.h"

#include "common/records/CommCompare.h"

namespace {

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

void AppendDayKey(std::string& key, const SYSTEMTIME& st) {
    AppendNumberKey(key, static_cast<long long>(st.wYear) * 10000 + st.wMonth * 100 + st.wDay);
}

}  // namespace

bool CommDateRules::FieldEqual(const CommDateRec& a, const CommDateRec& b, int fieldId) {
    switch (fieldId) {
        case 1: return EqualNoCase(a.Subject, b.Subject);
        case 9: return EqualNoCase(a.Location, b.Location);
        case 2: return SameDay(a.Start, b.Start);
        case 3: return SameDay(a.End, b.End);
        case 13: return a.AllDay == b.AllDay;
        case 7: return CompareText(a.Note, b.Note);
        case 10: return a.Importance == b.Importance;
        default: return false;
    }
}

void CommDateRules::AppendFieldKey(std::string& key, const CommDateRec& rec, int fieldId) {
    switch (fieldId) {
        case 1: AppendNoCaseKey(key, rec.Subject); break;
        case 2: AppendDayKey(key, rec.Start); break;
        case 3: AppendDayKey(key, rec.End); break;
        case 13: AppendNumberKey(key, rec.AllDay); break;
        default: break;
    }
}
