#pragma once
// The reader of the Palm Desktop 6.x tasks database "Todolist.mdb".
#include "common/palm/PmDBEx2Util.h"
#include "common/palm/PmTodoEx2Rec.h"

class PmTodoEx2Util : public PmEx2Reader<PmTodoEx2Rec> {
public:
    static const PmEx2Kind kKind;

    PmTodoEx2Util();
    // Reads the file at once; IsLoaded tells the result.
    explicit PmTodoEx2Util(const char* path);

    // Fills the record's repeat members from its "Repeat Info" text (task
    // form: a yearly rule reads as no repeat).
    static void ParseRepeatText(PmTodoEx2Rec& rec);

protected:
    // The repeat rule, then the category name.
    void CompleteRecord(const PmRowValues& row) override;
};
