#pragma once
// Values of Palm records that had to be shortened to fit a member: the
// copier the conversions use, and the report the readers give when a value
// of the file does not fit the record member it is read into. Each cut is
// logged with the record, the field and both lengths, and counted for the
// record's kind (common/records/CommCutCount.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

// Copies the texts of one Palm record into their members. A value that does
// not fit is cut (whole UTF-8 sequences kept), logged with the record, the
// field and both lengths, and counted for the record's kind.
class PmTextCopier {
public:
    // `kind` is the CommRecordKind; the record is named after its kind and
    // its Palm record ID ("Palm contact 1017").
    PmTextCopier(int kind, std::int32_t recordId);

    void Copy(char* dst, std::size_t cap, std::string_view src, const char* field) const;
    void Copy(char* dst, std::size_t cap, const char* src, const char* field) const {
        Copy(dst, cap, std::string_view(src != nullptr ? src : ""), field);
    }
    template <std::size_t N>
    void operator()(char (&dst)[N], const char* src, const char* field) const {
        Copy(dst, N, src, field);
    }
    template <std::size_t N>
    void operator()(char (&dst)[N], std::string_view src, const char* field) const {
        Copy(dst, N, src, field);
    }

    int Kind() const { return m_kind; }
    const char* Record() const { return m_record; }

private:
    int m_kind;
    char m_record[48];
};

// "Palm contact 1017", "Palm event 12", "Palm to-do 3", "Palm memo 4".
void PmRecordName(int kind, std::int32_t recordId, char* buffer, std::size_t size);

// Reports that a reader kept only `kept` (a record member) of the
// `fullLength` bytes of a value of field `field`, in a record of `kind` that
// begins with its 32-bit record ID; nothing when the value was kept whole.
void PmReportReaderCut(int kind, const unsigned char* record, const char* field, std::size_t fullLength,
                       const char* kept);

// The same for the category name of a record, taken from `fullName`.
template <class Rec>
void PmReportCategoryCut(int kind, const Rec& rec, const char* fullName) {
    if (fullName == nullptr) return;
    PmReportReaderCut(kind, reinterpret_cast<const unsigned char*>(&rec), "Category", std::string_view(fullName).size(),
                      rec.CategoryName);
}
