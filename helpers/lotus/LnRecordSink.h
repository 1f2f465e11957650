#pragma once
// Where the readers of Notes' exports put the records they find, one at a
// time, so that a large export is never held whole. Each call returns false
// to end the reading (the run was stopped, or the data file cannot be
// written); the reader then returns at once.
#include "helpers/lotus/LnRecords.h"

namespace lotus_helper {

class LnRecordSink {
public:
    virtual ~LnRecordSink() = default;
    virtual bool Contact(const LnContact& record) = 0;
    virtual bool Entry(const LnEntry& record) = 0;
    virtual bool Todo(const LnTodo& record) = 0;
    virtual bool Document(const LnDocument& record) = 0;
    // Asked between the documents of an export, those of other kinds too;
    // false ends the reading.
    virtual bool Proceed() { return true; }
};

}  // namespace lotus_helper
