#include "common/palm/PmDateUtil.h"

const PmExKind PmDateExUtil::kKind = {"Calendar", 0x44420200, 54, 43, false, false, true, nullptr};

const PmEarlyKind PmDateUtil::kKind = {
    0x44420100, 54, 256, 512, false, "Loading Palm Desktop datebook: ", "Failed to load Palm Desktop datebook: ",
    nullptr,
};

PmDateExUtil::PmDateExUtil() : PmReader(kKind, kPmDateExLayout) {}

PmDateExUtil::PmDateExUtil(const char* path) : PmDateExUtil() { LoadFile(path); }

PmDateUtil::PmDateUtil() : PmReader(kKind, kPmDateLayout) {}

PmDateUtil::PmDateUtil(const char* path) : PmDateUtil() { LoadFile(path); }

// Events without a start or an end are not kept.
bool PmDateUtil::KeepRecord(const PmDateRec& rec) const { return rec.StartDate != -1 && rec.EndDate != -1; }
