#pragma once
// The reader of the Palm Desktop 6.x calendar database "DateBook.mdb".
#include "common/palm/PmDBEx2Util.h"
#include "common/palm/PmDateEx2Rec.h"

class PmDateEx2Util : public PmEx2Reader<PmDateEx2Rec> {
public:
    static const PmEx2Kind kKind;

    PmDateEx2Util();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmDateEx2Util(const char* path);

    // Fills the record's repeat members from its "Repeated Event" text
    // (calendar form: yearly rules take their day from the start time).
    static void ParseRepeatText(PmDateEx2Rec& rec);

protected:
    // The repeat rule, then the category name.
    void CompleteRecord(const PmRowValues& row) override;
};
