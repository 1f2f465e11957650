#include "common/palm/PmMemoUtil.h"

const PmExKind PmMemoExUtil::kKind = {
    "Memos", 0x4d500200, 64, 43, false, true, false, "Invalid Palm Desktop Notes database file name.",
};

const PmEarlyKind PmMemoUtil::kKind = {
    0x4d500100,
    64,
    256,
    256,
    false,
    "Loading Palm Desktop memopad: ",
    "Load Palm Desktop memopad failed: ",
    "Invalid Palm Desktop memopad database file name.",
};

PmMemoExUtil::PmMemoExUtil() : PmReader(kKind, kPmMemoExLayout) {}

PmMemoExUtil::PmMemoExUtil(const char* path) : PmMemoExUtil() { LoadFile(path); }

PmMemoUtil::PmMemoUtil() : PmReader(kKind, kPmMemoLayout) {}

PmMemoUtil::PmMemoUtil(const char* path) : PmMemoUtil() { LoadFile(path); }

// Deleted (0x80) and archived (0x04) memos are not kept.
bool PmMemoUtil::KeepRecord(const PmMemoRec& rec) const { return (rec.Status & 0x84) == 0; }
