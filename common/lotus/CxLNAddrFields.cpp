#include "common/lotus/CxLNAddrFields.h"

namespace {

constexpr LNFieldInfo T(std::int32_t id, const char* label, int size) { return {id, label, kLNFieldText, size}; }
constexpr LNFieldInfo D(std::int32_t id, const char* label) { return {id, label, kLNFieldDate, 8}; }

constexpr std::array<LNFieldInfo, kLNFieldCount> kFields = {{
    T(1, "ID", 64),
    T(2, "First Name", 64),
    T(3, "Middle Name / Initial", 64),
    T(4, "Last Name", 64),
    T(5, "Suffix", 64),
    T(6, "Display Name", 256),
    T(7, "Company Name", 64),
    T(8, "Department", 64),
    T(9, "Job Title", 64),
    T(10, "Location", 256),
    T(11, "Assistant Name", 64),
    T(12, "Manager Name", 64),
    T(13, "Business Email", 128),
    T(14, "Personal Email", 128),
    T(15, "Assistant Phone", 128),
    T(16, "Business Email 2", 128),
    T(17, "Personal Email 2", 128),
    T(18, "Business Street", 256),
    T(19, "Business City", 32),
    T(20, "Business State", 32),
    T(21, "Business Country", 32),
    T(22, "Business Postal", 32),
    T(23, "Home Street", 256),
    T(24, "Home City", 32),
    T(25, "Home State", 32),
    T(26, "Home Country", 32),
    T(27, "Home Postal", 32),
    T(28, "Other Street", 256),
    T(29, "Other City", 32),
    T(30, "Other State", 32),
    T(31, "Other Country", 32),
    T(32, "Other Postal", 32),
    T(33, "Primary Phone", 32),
    T(34, "Business Phone", 32),
    T(35, "Home Phone", 32),
    T(36, "Mobile Phone", 32),
    T(37, "Business Fax", 32),
    T(38, "Home Fax", 32),
    T(39, "Pager", 32),
    T(40, "Instant Messenger", 64),
    T(41, "Web Site", 256),
    T(42, "Blog Site", 256),
    T(43, "Spouse Name", 64),
    T(44, "Children's Names", 256),
    T(45, "Custom Field 1", 256),
    T(46, "Custom Field 2", 256),
    T(47, "Custom Field 3", 256),
    T(48, "Custom Label 1", 64),
    T(49, "Custom Label 2", 64),
    T(50, "Custom Label 3", 64),
    T(51, "Note", 4096),
    T(52, "Category", 256),
    D(53, "Birth Date"),
    D(54, "Anniversary"),
}};

constexpr bool IdsInOrder() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].FieldID != static_cast<std::int32_t>(i + 1)) return false;
    return true;
}
static_assert(IdsInOrder(), "catalogue entry i must have id i + 1");

}  // namespace

const std::array<LNFieldInfo, kLNFieldCount>& LNAddrFields() { return kFields; }
