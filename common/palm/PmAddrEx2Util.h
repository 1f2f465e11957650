#pragma once
// The reader of the Palm Desktop 6.x contacts database "Address.mdb".
#include "common/palm/PmAddrEx2Rec.h"
#include "common/palm/PmDBEx2Util.h"

class PmAddrEx2Util : public PmEx2Reader<PmAddrEx2Rec> {
public:
    static const PmEx2Kind kKind;

    PmAddrEx2Util();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmAddrEx2Util(const char* path);

protected:
    // The phones by label code, then the category name.
    void CompleteRecord(const PmRowValues& row) override;
};
