#pragma once
// The reader of the Palm Desktop 6.x memo database "MemoPad.mdb".
#include "common/palm/PmDBEx2Util.h"
#include "common/palm/PmMemoEx2Rec.h"

class PmMemoEx2Util : public PmEx2Reader<PmMemoEx2Rec> {
public:
    static const PmEx2Kind kKind;

    PmMemoEx2Util();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmMemoEx2Util(const char* path);

protected:
    // "Category" (a text, or an integer) gives the category ID by its
    // leading number and the name: the category's, else the column's own
    // text. The length of the memo text as kept.
    void CompleteRecord(const PmRowValues& row) override;
};
