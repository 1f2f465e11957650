#pragma once
// The readers of the Palm Desktop datebook "datebook.dat": PmDateExUtil for the 4.1.4
// format, PmDateUtil for the earlier one.
#include "common/palm/PmDBEarlyUtil.h"
#include "common/palm/PmDBExUtil.h"
#include "common/palm/PmDateRec.h"
#include "common/palm/PmReader.h"

class PmDateExUtil : public PmReader<PmDBExUtil, PmDateExRec> {
public:
    static const PmExKind kKind;

    PmDateExUtil();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmDateExUtil(const char* path);
};

class PmDateUtil : public PmReader<PmDBEarlyUtil, PmDateRec> {
public:
    static const PmEarlyKind kKind;

    PmDateUtil();
    explicit PmDateUtil(const char* path);

protected:
    bool KeepRecord(const PmDateRec& rec) const override;
};
