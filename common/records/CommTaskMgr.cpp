#include "common/records/CommTaskMgr.h"

#include "common/records/CommCompare.h"

bool CommTaskRules::FieldEqual(const CommTaskRec& a, const CommTaskRec& b, int fieldId) {
    switch (fieldId) {
    case 0: return EqualNoCase(a.Subject, b.Subject);
    case 1: return EqualNoCase(a.Note, b.Note);
    case 2: return a.Priority == b.Priority;
    case 3: return a.Completed == b.Completed;
    case 4: return true;  // the due date is not compared
    case 5: return a.Alarm == b.Alarm;
    case 6: return a.Private == b.Private;
    default: return false;
    }
}

void CommTaskRules::AppendFieldKey(std::string& key, const CommTaskRec& rec, int fieldId) {
    if (fieldId == 0) AppendNoCaseKey(key, rec.Subject);
    if (fieldId == 2) AppendNumberKey(key, rec.Priority);
    // The due date (4) counts as equal whatever it holds: no key form.
}
