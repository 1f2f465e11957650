#pragma once
// Fills a common contact from the values of a Palm contact. Texts go
// through the copier, so every value that does not fit is told; a value
// without a member of its own becomes a labelled line ("Other Fax: ...")
// after the note, in the order the values are offered, so that unchanged
// data always gives the same note.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "common/palm/PmRecordTypes.h"
#include "common/palm/PmValueCuts.h"
#include "common/records/CommAddrRec.h"

class PmContactBuilder {
public:
    PmContactBuilder(CommAddrRec& rec, std::int32_t recordId);

    template <std::size_t N>
    void Text(char (&member)[N], const char* value, const char* field) {
        m_copy(member, value, field);
    }

    // A Palm address into a common one; `which` is "Work", "Home" or "Other".
    void Address(CommAddress& out, const PmAddress& in, const char* which);

    // A value kept as a labelled line after the note.
    void Line(const char* label, const char* value);

    // Routes one phone slot by its label code. A later slot of a label
    // takes the main member; the value it finds there moves to the first
    // free spare member of the label, else to a labelled line. A slot of
    // an unknown label becomes a line under the label text Palm Desktop
    // shows for it.
    void Phone(std::int32_t label, const char* value);

    // An e-mail address of its own column: into the first free e-mail
    // member unless a member already holds it (case ignored), else a
    // labelled line.
    void Email(const char* label, const char* value);

    // A value for a member that a phone slot may have filled already: a
    // different value there makes this one a labelled line.
    template <std::size_t N>
    void Fill(char (&member)[N], const char* value, const char* label) {
        if (value == nullptr || value[0] == '\0') return;
        if (member[0] == '\0')
            m_copy(member, value, label);
        else if (std::strcmp(member, value) != 0)
            Line(label, value);
    }

    // The note, followed by the labelled lines.
    void Note(const char* note);

private:
    void Place(std::int32_t label, char* member, std::size_t size, const char* value,
               std::initializer_list<char*> spares);

    CommAddrRec& m_rec;
    PmTextCopier m_copy;
    std::string m_lines;
};
