// Damaged databases: the checks made before libmdb reads a table.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/jet/JetDatabase.h"
#include "platform/jet/JetFileCheck.h"
#include "tools/jetfixture/JetWriter.h"

using namespace platform::jet;
using jetfixture::ColumnType;

namespace {

constexpr std::uint32_t kMainDefinition = 3;  // header, map page, catalog, then the first table

std::vector<std::uint8_t> Sample() {
    jetfixture::JetWriter writer;
    auto& t = writer.AddTable("Main", {{"N", ColumnType::LongInteger}, {"S", ColumnType::Text, 50}});
    for (int i = 0; i < 20; ++i) t.rows.push_back({std::int64_t{i}, "text " + std::to_string(i)});
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(writer.Build(bytes, error)) << error;
    return bytes;
}

std::size_t FirstDataPage(const std::vector<std::uint8_t>& bytes, std::uint32_t owner) {
    for (std::size_t p = 1; p < bytes.size() / kJetPageSize; ++p) {
        const std::uint8_t* page = &bytes[p * kJetPageSize];
        std::uint32_t o;
        std::memcpy(&o, page + 4, 4);
        if (page[0] == 0x01 && o == owner) return p;
    }
    return 0;
}

// Opens the bytes and selects everything from "Main"; the error text when
// either fails, else "" after reading every row.
std::string SelectError(std::vector<std::uint8_t> bytes) {
    std::string error;
    auto db = OpenJetBytes(std::move(bytes), "damaged.mdb", error);
    if (!db) return error;
    SelectStatement all;
    all.table = "Main";
    all.allColumns = true;
    std::vector<std::string> names;
    auto cursor = db->Select(all, names, error);
    if (!cursor) return error;
    std::vector<Value> row;
    while (cursor->Fetch(row)) {}
    return "";
}

}  // namespace

TEST(JetDamage, IntactSampleReads) { EXPECT_EQ(SelectError(Sample()), ""); }

TEST(JetDamage, RowsWhoseLayoutLeavesTheRowFailTheSelect) {
    const auto good = Sample();
    const std::size_t page = FirstDataPage(good, kMainDefinition);
    ASSERT_NE(page, 0u);
    std::uint16_t rowStart;
    std::memcpy(&rowStart, &good[page * kJetPageSize + 14], 2);
    const std::size_t row = page * kJetPageSize + rowStart;

    auto bytes = good;
    bytes[row] = 0xFF;  // 255 columns: a null mask longer than the row
    bytes[row + 1] = 0x00;
    EXPECT_NE(SelectError(bytes).find("row 0 of page"), std::string::npos);

    bytes = good;
    // The number of variable-length columns sits before the one-byte null
    // mask at the row's end; make it claim thousands.
    const std::size_t rowEnd = page * kJetPageSize + kJetPageSize;
    bytes[rowEnd - 3] = 0xFF;
    bytes[rowEnd - 2] = 0x0F;
    EXPECT_NE(SelectError(bytes).find("is damaged"), std::string::npos);

    bytes = good;
    bytes[page * kJetPageSize + 14 + 1] |= 0x40;  // the first row marked deleted: skipped, not an error
    EXPECT_EQ(SelectError(bytes), "");
}

TEST(JetDamage, DefinitionsAndUsageMapsAreChecked) {
    const auto good = Sample();
    const std::size_t def = kMainDefinition * kJetPageSize;
    auto bytes = good;
    bytes[def + 45] = 0;  // no columns
    bytes[def + 46] = 0;
    EXPECT_NE(SelectError(bytes).find("definition is damaged"), std::string::npos);
    bytes = good;
    bytes[def + 53] = 0xFF;  // an absurd index count
    EXPECT_NE(SelectError(bytes).find("definition is damaged"), std::string::npos);
    bytes = good;
    bytes[def + 55] = 0x33;  // the usage map pointer names another row
    EXPECT_NE(SelectError(bytes).find("page-usage map is missing"), std::string::npos);
    bytes = good;
    bytes[def] = 0x01;
    EXPECT_NE(SelectError(bytes).find("definition page is missing"), std::string::npos);
}

TEST(JetDamage, EveryPageOverwrittenInTurnNeverCrashes) {
    const auto good = Sample();
    for (std::size_t p = 1; p < good.size() / kJetPageSize; ++p) {
        for (std::uint8_t fill : {0x00, 0xFF, 0x41}) {
            auto bytes = good;
            std::memset(&bytes[p * kJetPageSize], fill, kJetPageSize);
            SelectError(bytes);  // any outcome but a crash
        }
    }
}
