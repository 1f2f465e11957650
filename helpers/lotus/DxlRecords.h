#pragma once
// Turns the documents of a DXL export into the records of the Lotus Notes
// data files: people into contacts, appointments into calendar entries,
// tasks into to-dos and journal documents into notebook documents, each by
// the item names of the Notes templates.
//
// Repeating appointments: Notes keeps a series as a parent document (the
// rule and every instance date) and a response document per instance
// ($REF naming the parent). The parent gives one entry with its rule, or
// one entry per instance date when the rule is one the data file cannot
// hold; the instance documents of a parent that is in the export are left
// out, so no meeting comes twice. Instance documents whose parent is not in
// the export become single entries at the end, so none is lost.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/lotus/DxlItems.h"
#include "helpers/lotus/LnRecordSink.h"

namespace lotus_helper {

class DxlRecordMaker {
public:
    DxlRecordMaker(LnKind kind, LnRecordSink& sink) : m_kind(kind), m_sink(sink) {}

    // Whether documents of this form hold records of the kind.
    static bool Wants(LnKind kind, std::string_view form);
    LnKind Kind() const { return m_kind; }

    // Hands the document's records to the sink; false when the sink ended
    // the reading.
    bool Add(const DxlDocument& doc);
    // Hands over the instance documents whose parent never came.
    bool Finish();

private:
    bool AddEntry(const DxlDocument& doc);

    LnKind m_kind;
    LnRecordSink& m_sink;
    std::set<std::string> m_seriesParents;
    std::vector<std::pair<std::string, LnEntry>> m_orphans;  // parent id, entry
};

// The records of single documents, as the maker builds them.
LnContact ContactOf(const DxlDocument& doc);
LnTodo TodoOf(const DxlDocument& doc);
LnDocument NotebookDocumentOf(const DxlDocument& doc);
// The entries of an appointment: one, or one per instance date.
std::vector<LnEntry> EntriesOf(const DxlDocument& doc);

}  // namespace lotus_helper
