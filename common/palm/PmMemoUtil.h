#pragma once
// The readers of the Palm Desktop memo pad "memopad.dat": PmMemoExUtil for the 4.1.4
// format, PmMemoUtil for the earlier one.
#include "common/palm/PmDBEarlyUtil.h"
#include "common/palm/PmDBExUtil.h"
#include "common/palm/PmMemoRec.h"
#include "common/palm/PmReader.h"

class PmMemoExUtil : public PmReader<PmDBExUtil, PmMemoExRec> {
public:
    static const PmExKind kKind;

    PmMemoExUtil();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmMemoExUtil(const char* path);
};

class PmMemoUtil : public PmReader<PmDBEarlyUtil, PmMemoRec> {
public:
    static const PmEarlyKind kKind;

    PmMemoUtil();
    explicit PmMemoUtil(const char* path);

protected:
    bool KeepRecord(const PmMemoRec& rec) const override;
};
