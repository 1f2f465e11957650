#pragma once
// The Palm calendar record set and the event conversion.
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmDateUtil.h"
#include "common/palm/PmInfo.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommKinds.h"

struct PmDateTraits {
    using Early = PmDateUtil;
    using Ex = PmDateExUtil;
    using Ex2 = PmDateEx2Util;
    using Entry = PmDateEntry;
    using Mgr = CommDateMgr;
    static const PmInfoLines kLines;
};

// Fills an all-zero common event from an entry.
void PmConvertEvent(const PmDateEntry& entry, CommDateRec& rec);

class PmDateInfo : public PmInfo<PmDateTraits> {
protected:
    void Convert(PmDateEntry& entry, CommDateRec& rec) override { PmConvertEvent(entry, rec); }
};
