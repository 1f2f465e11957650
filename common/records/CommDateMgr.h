#pragma once
// The list manager of calendar events.
#include <string>

#include "common/records/CommDateRec.h"
#include "common/records/CommRecordMgr.h"

struct CommDateRules {
    // Subject, start, end, all-day flag. A timed event starts and ends at
    // the same times of day (to the minute), an all-day event on the same days.
    static constexpr int kKeyFields[] = {1, 2, 3, 13};
    // Location.
    static constexpr int kCompareFields[] = {9};
    static bool FieldEqual(const CommDateRec& a, const CommDateRec& b, int fieldId);
    static void AppendFieldKey(std::string& key, const CommDateRec& rec, int fieldId);
};

class CommDateMgr : public CommRecordMgr<CommDateRec, CommDateRules> {};
