#pragma once
// The readers of the Palm Desktop to-do list "todo.dat": PmTodoExUtil for the 4.1.4
// format, PmTodoUtil for the earlier one.
#include "common/palm/PmDBEarlyUtil.h"
#include "common/palm/PmDBExUtil.h"
#include "common/palm/PmReader.h"
#include "common/palm/PmTodoRec.h"

class PmTodoExUtil : public PmReader<PmDBExUtil, PmTodoExRec> {
public:
    static const PmExKind kKind;

    PmTodoExUtil();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmTodoExUtil(const char* path);
};

class PmTodoUtil : public PmReader<PmDBEarlyUtil, PmTodoRec> {
public:
    static const PmEarlyKind kKind;

    PmTodoUtil();
    explicit PmTodoUtil(const char* path);

protected:
    bool KeepRecord(const PmTodoRec& rec) const override;
};
