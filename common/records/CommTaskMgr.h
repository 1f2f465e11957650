#pragma once
// The list manager of tasks.
#include <string>

#include "common/records/CommRecordMgr.h"
#include "common/records/CommTaskRec.h"

struct CommTaskRules {
    // Subject.
    static constexpr int kKeyFields[] = {0};
    // Priority, due date (always equal), subject, subject.
    static constexpr int kCompareFields[] = {2, 4, 0, 0};
    static bool FieldEqual(const CommTaskRec& a, const CommTaskRec& b, int fieldId);
    static void AppendFieldKey(std::string& key, const CommTaskRec& rec, int fieldId);
};

class CommTaskMgr : public CommRecordMgr<CommTaskRec, CommTaskRules> {
public:
    virtual ~CommTaskMgr() = default;
};
