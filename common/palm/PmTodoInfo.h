#pragma once
// The Palm tasks record set and the to-do conversion.
#include "common/palm/PmInfo.h"
#include "common/palm/PmTodoEx2Util.h"
#include "common/palm/PmTodoUtil.h"
#include "common/records/CommKinds.h"
#include "common/records/CommTaskMgr.h"

struct PmTodoTraits {
    using Early = PmTodoUtil;
    using Ex = PmTodoExUtil;
    using Ex2 = PmTodoEx2Util;
    using Entry = PmTodoEntry;
    using Mgr = CommTaskMgr;
    static const PmInfoLines kLines;
};

// Fills an all-zero common task from an entry.
void PmConvertTask(const PmTodoEntry& entry, CommTaskRec& rec);

class PmTodoInfo : public PmInfo<PmTodoTraits> {
protected:
    void Convert(PmTodoEntry& entry, CommTaskRec& rec) override { PmConvertTask(entry, rec); }
};
