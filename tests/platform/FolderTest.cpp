// Folder listings and path kinds, on folders made for each test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file/Folder.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace platform::file;

namespace {

using Names = std::vector<std::string>;

Names List(const std::string& folder, Entries which, Order order = Order::Name) {
    Names names{"stale"};
    EXPECT_TRUE(ListFolder(folder, names, which, order)) << folder;
    return names;
}

}  // namespace

TEST(Folder, FailuresAreReportedAndLeaveNoNames) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("file.txt"), "x");
    for (const std::string& bad :
         {dir.File("missing"), dir.File("file.txt"), dir.File("missing/deeper"), std::string()}) {
        Names names{"stale"};
        std::string error;
        EXPECT_FALSE(ListFolder(bad, names, Entries::All, Order::None, &error)) << bad;
        EXPECT_TRUE(names.empty());
        EXPECT_NE(error.find("\"" + bad + "\""), std::string::npos) << error;
    }
    EXPECT_TRUE(List(dir.File(""), Entries::All) == Names{"file.txt"});
    fs::create_directory(dir.File("empty"));
    EXPECT_TRUE(List(dir.File("empty"), Entries::All).empty());
}

TEST(Folder, EntriesByKindFollowLinksAndListingsSortAsAsked) {
    fwtest::TempDir dir;
    for (const char* name : {"b.dat", "A.dat", "a.dat", "B.DAT", ".hidden"}) fwtest::WriteFile(dir.File(name), "x");
    fs::create_directory(dir.File("Sub"));
    fs::create_directory_symlink(dir.File("Sub"), dir.File("linkToSub"));
    fs::create_symlink(dir.File("a.dat"), dir.File("linkToFile"));
    fs::create_symlink(dir.File("nowhere"), dir.File("dangling"));
    ASSERT_EQ(fwtest::MakeFifo(dir.File("pipe")), 0);

    EXPECT_EQ(List(dir.Path(), Entries::Files), (Names{".hidden", "A.dat", "B.DAT", "a.dat", "b.dat", "linkToFile"}));
    EXPECT_EQ(List(dir.Path(), Entries::Folders), (Names{"Sub", "linkToSub"}));
    EXPECT_EQ(List(dir.Path(), Entries::All).size(), 10u);  // the FIFO and the dangling link too
    // As a Windows folder lists them: case ignored, then bytes.
    EXPECT_EQ(List(dir.Path(), Entries::Files, Order::NoCase),
              (Names{".hidden", "A.dat", "a.dat", "B.DAT", "b.dat", "linkToFile"}));
    Names unordered = List(dir.Path(), Entries::All, Order::None);
    std::sort(unordered.begin(), unordered.end());
    EXPECT_EQ(unordered, List(dir.Path(), Entries::All));

    EXPECT_EQ(KindOf(dir.File("a.dat")), PathKind::File);
    EXPECT_EQ(KindOf(dir.File("linkToSub")), PathKind::Folder);
    EXPECT_EQ(KindOf(dir.File("pipe")), PathKind::Other);
    EXPECT_EQ(KindOf(dir.File("dangling")), PathKind::Missing);
    EXPECT_EQ(KindOf(""), PathKind::Missing);
    EXPECT_TRUE(IsRegularFile(dir.File("linkToFile")));
    EXPECT_FALSE(IsFolder(dir.File("a.dat")));
}
