// A person's whole run through the real wizard: Palm Desktop contacts and
// calendar chosen by file name, the Outlook page, the review page with its
// colours, check marks and counts, the migration, the finish page; then
// "Restart" and the same run again, in which every record is the same.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/wizard/TfmDataPage.h"
#include "tests/wizard/MainWindowFixture.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

namespace fs = std::filesystem;

class WholeRun : public fwtest::MainWindowFixture {
protected:
    // Picks a Palm file on the Palm page through its browse button.
    void ChooseFile(const char* check, const char* browse, const std::string& path) {
        QCheckBox* box = Find<QCheckBox>(TfmMain::PagePDOption, check);
        if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
        ASSERT_TRUE(box->isChecked());
        services.answers.push_back(QString::fromStdString(path));
        QTest::mouseClick(Find<QPushButton>(TfmMain::PagePDOption, browse), Qt::LeftButton);
    }
};

TEST_F(WholeRun, PalmContactsAndCalendarReachOutlookAndTheSameRunAgainFindsThemSame) {
    const std::string palm = dir.Path() + "palm/";
    fs::create_directories(palm);
    ASSERT_TRUE(palmdat::WriteSample(palm, palmdat::Format::V414));
    SaveChoice(5, {1, 1, 0, 0});
    TfmMain& window = Open(TfmMain::PageFactory());

    // The source page shows the saved choice; Prev is off.
    EXPECT_FALSE(window.btnPrev->isEnabled());
    Next();
    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PageOLOption));
    // No Outlook program is registered: the store folder stands in for it.
    EXPECT_FALSE(Find<QLineEdit>(TfmMain::PageOLOption, "edtOLPath")->text().isEmpty());
    Next();
    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PagePDOption));
    ChooseFile("cbAddrFile", "btnAddrBrowse", palm + "address.dat");
    ChooseFile("cbDateFile", "btnDateBrowse", palm + "datebook.dat");
    EXPECT_EQ(Find<QLineEdit>(TfmMain::PagePDOption, "edtAddrFile")->text().toStdString(), palm + "address.dat");
    Next();
    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PagePDData)) << ::testing::PrintToString(Messages());

    auto* review = static_cast<TfmDataPage*>(window.Page(TfmMain::PagePDData));
    QTreeWidget* contacts = review->List(CommKindAddr);
    QTreeWidget* events = review->List(CommKindDate);
    const int contactCount = contacts->topLevelItemCount();
    const int eventCount = events->topLevelItemCount();
    ASSERT_GT(contactCount, 10);
    ASSERT_GT(eventCount, 10);
    // Everything is new to an empty Outlook: checked, in "NewColor" (green).
    EXPECT_EQ(Checks(contacts), std::vector<bool>(contactCount, true));
    EXPECT_EQ(contacts->topLevelItem(0)->foreground(0).color(), QColor(0, 128, 0));
    EXPECT_EQ(Find<QLabel>(TfmMain::PagePDData, "lblAddrCount")->text(),
              QStringLiteral("%1 Contact records in total").arg(contactCount));
    Next();

    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PageFinish)) << ::testing::PrintToString(Messages());
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblAddrCount")->text(), QString::number(contactCount));
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblDateCount")->text(), QString::number(eventCount));
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblTaskCount")->text(), QStringLiteral("0"));
    EXPECT_EQ(StoreFiles("Contacts"), static_cast<std::size_t>(contactCount));
    EXPECT_EQ(StoreFiles("Calendar"), static_cast<std::size_t>(eventCount));
    EXPECT_EQ(window.btnPrev->text(), QStringLiteral("Restart"));
    EXPECT_FALSE(window.btnNext->isEnabled());

    // The same run again: every record is the same as in Outlook, unchecked
    // and black, and nothing more is written.
    QTest::mouseClick(window.btnPrev, Qt::LeftButton);
    ASSERT_EQ(window.Step(), 0);
    Next();
    Next();
    Next();
    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PagePDData)) << ::testing::PrintToString(Messages());
    EXPECT_EQ(contacts->topLevelItemCount(), contactCount);
    EXPECT_EQ(Checks(contacts), std::vector<bool>(contactCount, false));
    EXPECT_EQ(Checks(events), std::vector<bool>(eventCount, false));
    EXPECT_EQ(contacts->topLevelItem(0)->foreground(0).color(), QColor(0, 0, 0));
    Next();
    ASSERT_EQ(window.CurrentPage(), window.Page(TfmMain::PageFinish));
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblAddrCount")->text(), QStringLiteral("0"));
    EXPECT_EQ(StoreFiles("Contacts"), static_cast<std::size_t>(contactCount));
    EXPECT_EQ(StoreFiles("Calendar"), static_cast<std::size_t>(eventCount));
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());
}

}  // namespace
