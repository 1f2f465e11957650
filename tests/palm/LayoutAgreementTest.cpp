// The .dat fixture writer keeps its own copy of the record layouts; it must
// agree with the readers' layouts position by position, so that a fault in
// either shows up here by name rather than as a round trip that passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/palm/PmAddrRec.h"
#include "common/palm/PmDateRec.h"
#include "common/palm/PmMemoRec.h"
#include "common/palm/PmTodoRec.h"
#include "tools/palmdat/PalmDatLayouts.h"

using palmdat::FieldDef;
using palmdat::Format;
using palmdat::Kind;

namespace {

// How a reader must decode a position of this type code.
PmDecode DecodeFor(std::uint16_t code) {
    switch (code) {
    case 5: return PmDecode::Text;
    case 8: return PmDecode::Repeat;
    case 64:
    case 65:
    case 66:
    case 67: return PmDecode::Ext;
    case 68: return PmDecode::Double;
    default: return PmDecode::Long;
    }
}

// Every way the reader's layout departs from the writer's, one line each.
std::vector<std::string> Disagreements(std::span<const FieldDef> writer, const PmFieldSlot* slots,
                                       std::uint32_t count) {
    std::vector<std::string> out;
    if (writer.size() != count)
        out.push_back("the writer has " + std::to_string(writer.size()) + " positions, the reader " +
                      std::to_string(count));
    for (std::size_t i = 0; i < writer.size() && i < count; ++i) {
        const std::string where =
            "position " + std::to_string(i) + " (" + writer[i].name + ", reader's " + slots[i].Name + ")";
        if (slots[i].TypeCode != writer[i].typeCode)
            out.push_back(where + ": type code " + std::to_string(slots[i].TypeCode) + ", the format says " +
                          std::to_string(writer[i].typeCode));
        else if (slots[i].Decode != DecodeFor(writer[i].typeCode))
            out.push_back(where + ": decoded unlike its type code " + std::to_string(writer[i].typeCode));
        else if (slots[i].Decode == PmDecode::Ext && slots[i].ExtIndex != writer[i].typeCode - 64)
            out.push_back(where + ": the wrong extended block");
    }
    return out;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

struct Case {
    const char* name;
    Kind kind;
    Format format;
    const PmRecordLayout& reader;
};

const Case kCases[] = {
    {"address 4.1.4", Kind::Address, Format::V414, kPmAddrExLayout},
    {"address earlier", Kind::Address, Format::Earlier, kPmAddrLayout},
    {"datebook 4.1.4", Kind::Datebook, Format::V414, kPmDateExLayout},
    {"datebook earlier", Kind::Datebook, Format::Earlier, kPmDateLayout},
    {"to-do 4.1.4", Kind::Todo, Format::V414, kPmTodoExLayout},
    {"to-do earlier", Kind::Todo, Format::Earlier, kPmTodoLayout},
    {"memo 4.1.4", Kind::Memo, Format::V414, kPmMemoExLayout},
    {"memo earlier", Kind::Memo, Format::Earlier, kPmMemoLayout},
};

}  // namespace

TEST(LayoutAgreement, WriterAndReadersAgreeOnEveryPosition) {
    for (const Case& c : kCases) {
        const auto writer = palmdat::FieldDefs(c.kind, c.format);
        EXPECT_EQ(Lines(Disagreements(writer, c.reader.Slots, c.reader.Count)), "") << c.name;
        EXPECT_EQ(palmdat::DefaultFieldTypes(c.kind, c.format).size(), writer.size()) << c.name;
    }
}

TEST(LayoutAgreement, AReaderFaultIsNamed) {
    // A copy of the earlier datebook's reader layout with faults put in.
    std::vector<PmFieldSlot> slots(kPmDateLayout.Slots, kPmDateLayout.Slots + kPmDateLayout.Count);
    const auto writer = palmdat::FieldDefs(Kind::Datebook, Format::Earlier);
    slots[4].TypeCode = 3;             // the end date read as a date
    slots[5].Decode = PmDecode::Long;  // the description not read as text
    EXPECT_EQ(Lines(Disagreements(writer, slots.data(), static_cast<std::uint32_t>(slots.size()))),
              "position 4 (end, reader's EndDate): type code 3, the format says 1\n"
              "position 5 (description, reader's Description): decoded unlike its type code 5\n");
    slots.resize(14);
    EXPECT_EQ(Disagreements(writer, slots.data(), 14).front(), "the writer has 15 positions, the reader 14");

    std::vector<PmFieldSlot> ex(kPmTodoExLayout.Slots, kPmTodoExLayout.Slots + kPmTodoExLayout.Count);
    std::swap(ex[7].ExtIndex, ex[8].ExtIndex);
    EXPECT_EQ(Lines(Disagreements(palmdat::FieldDefs(Kind::Todo, Format::V414), ex.data(), kPmTodoExLayout.Count)),
              "position 7 (extended block 1, reader's ExtBlock): the wrong extended block\n"
              "position 8 (extended block 2, reader's ExtBlock): the wrong extended block\n");
}
