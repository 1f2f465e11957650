// The sample data of both generations loads whole with every reader.
#include <filesystem>

#include "common/palm/PmAddrUtil.h"
#include "common/palm/PmDateUtil.h"
#include "common/palm/PmMemoUtil.h"
#include "common/palm/PmTodoUtil.h"
#include "tests/palm/PalmTestSupport.h"

namespace {

class SampleTest : public palmtest::PalmTest {};

template <class Reader>
std::size_t RecordsIn(const std::string& path) {
    Reader reader;
    EXPECT_TRUE(reader.LoadFile(path.c_str())) << path;
    return reader.GetRecords().GetCount();
}

TEST_F(SampleTest, BothGenerationsLoadWhole) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path() + "ex", palmdat::Format::V414) == false);  // no such folder
    for (const char* sub : {"ex", "early"}) std::filesystem::create_directory(dir.Path() + sub);
    ASSERT_TRUE(palmdat::WriteSample(dir.Path() + "ex", palmdat::Format::V414));
    ASSERT_TRUE(palmdat::WriteSample(dir.Path() + "early/", palmdat::Format::Earlier));
    const std::string ex = dir.Path() + "ex/", early = dir.Path() + "early/";
    EXPECT_EQ(RecordsIn<PmAddrExUtil>(ex + "address.dat"), 36u);
    EXPECT_EQ(RecordsIn<PmDateExUtil>(ex + "datebook.dat"), 28u);
    EXPECT_EQ(RecordsIn<PmTodoExUtil>(ex + "todo.dat"), 24u);
    EXPECT_EQ(RecordsIn<PmMemoExUtil>(ex + "memopad.dat"), 20u);
    EXPECT_EQ(RecordsIn<PmAddrUtil>(early + "address.dat"), 36u);
    EXPECT_EQ(RecordsIn<PmDateUtil>(early + "datebook.dat"), 28u);
    EXPECT_EQ(RecordsIn<PmTodoUtil>(early + "todo.dat"), 24u);
    EXPECT_EQ(RecordsIn<PmMemoUtil>(early + "memopad.dat"), 20u);

    // Accented names arrive as UTF-8, and every repeat kind is there.
    PmAddrExUtil contacts((ex + "address.dat").c_str());
    EXPECT_STREQ(contacts.GetRecords().GetFirst()->FirstName, "Zo\xC3\xAB");
    EXPECT_STREQ(contacts.GetRecords().GetFirst()->LastName, "M\xC3\xBCller");
    PmDateUtil events((early + "datebook.dat").c_str());
    bool kinds[7] = {};
    for (const PmDateRec* e = events.GetRecords().GetFirst(); e != nullptr; e = events.GetRecords().GetNext())
        if (e->Repeat.RepeatKind >= 0 && e->Repeat.RepeatKind < 7) kinds[e->Repeat.RepeatKind] = true;
    for (bool seen : kinds) EXPECT_TRUE(seen);
}

}  // namespace
