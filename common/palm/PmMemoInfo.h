#pragma once
// The Palm memos record set and the memo conversion.
#include "common/palm/PmInfo.h"
#include "common/palm/PmMemoEx2Util.h"
#include "common/palm/PmMemoUtil.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteMgr.h"

struct PmMemoTraits {
    using Early = PmMemoUtil;
    using Ex = PmMemoExUtil;
    using Ex2 = PmMemoEx2Util;
    using Entry = PmMemoEntry;
    using Mgr = CommNoteMgr;
    static const PmInfoLines kLines;
};

// Fills an all-zero common note from an entry.
void PmConvertMemo(const PmMemoEntry& entry, CommNoteRec& rec);

class PmMemoInfo : public PmInfo<PmMemoTraits> {
protected:
    void Convert(PmMemoEntry& entry, CommNoteRec& rec) override { PmConvertMemo(entry, rec); }
};
