#include "common/palm/PmTodoUtil.h"

const PmExKind PmTodoExUtil::kKind = {"Tasks", 0x54440200, 44, 43, false, true, true, nullptr};

const PmEarlyKind PmTodoUtil::kKind = {
    0x54440100, 44, 256, 256, false, "Loading Palm Desktop todo list: ", "Load Palm Desktop todo list failed: ",
    nullptr,
};

PmTodoExUtil::PmTodoExUtil() : PmReader(kKind, kPmTodoExLayout) {}

PmTodoExUtil::PmTodoExUtil(const char* path) : PmTodoExUtil() { LoadFile(path); }

PmTodoUtil::PmTodoUtil() : PmReader(kKind, kPmTodoLayout) {}

PmTodoUtil::PmTodoUtil(const char* path) : PmTodoUtil() { LoadFile(path); }

// Deleted (0x80) and archived (0x04) to-dos are not kept.
bool PmTodoUtil::KeepRecord(const PmTodoRec& rec) const { return (rec.Status & 0x84) == 0; }
