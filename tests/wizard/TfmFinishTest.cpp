// The finish page after real migrations through the driver: the records
// written per kind (not the records picked), the records that could not be
// written, and its three buttons.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/wizard/TfmFinish.h"
#include "common/records/CommKinds.h"
#include "platform/file/Folder.h"
#include "platform/text/TextCopy.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/PalmContacts.h"
#include "tests/wizard/WizardFixture.h"

namespace {

class TfmFinishTest : public fwtest::WizardFixture {
protected:
    TfmFinish page{host};

    // Loads Outlook and then the Palm source, picks every source record of
    // the kinds on, and migrates them.
    bool LoadPickMigrate() {
        if (!LoadApplications(nullptr, kAppPalm, kAppOutlook)) return false;
        AdapterTable& table = GetAdapterTable();
        table.SelectedAddr()->RemoveAll(false);
        table.SelectedTask()->RemoveAll(false);
        if (auto* list = fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr))
            for (CommAddrRec* r = list->GetFirstRecord(); r != nullptr; r = list->GetNextRecord())
                table.SelectedAddr()->Add(r);
        if (auto* list = fwtest::ListOf<CommTaskMgr>(kAppPalm, CommKindTask))
            for (CommTaskRec* r = list->GetFirstRecord(); r != nullptr; r = list->GetNextRecord())
                table.SelectedTask()->Add(r);
        return MigrateApplication(nullptr, kAppOutlook);
    }

    std::array<std::string, 4> Counts() const {
        return {page.lblAddrCount->text().toStdString(), page.lblDateCount->text().toStdString(),
                page.lblTaskCount->text().toStdString(), page.lblNoteCount->text().toStdString()};
    }
};

// Three Palm contacts into an empty store give 3, 0, 0, 0; the same
// migration again writes nothing, though all three are picked again.
TEST_F(TfmFinishTest, CountsTheContactsWrittenFromAPalmAddressBook) {
    const std::string file = dir.File("address.dat");
    ASSERT_TRUE(palmdat::Write(
        file, fwtest::PalmContacts(
                  {{"Ada", "Lovelace", "Analytical"}, {"Grace", "Hopper", "Navy"}, {"Alan", "Turing", "Bletchley"}})));
    Settings& s = AppSettings();
    s.SyncAddr = 1;
    s.SyncDate = s.SyncTask = s.SyncNote = 0;
    s.PDUseAddrFile = 1;
    platform::CopyText(s.PDAddrFileName, file);

    ASSERT_TRUE(LoadPickMigrate());
    page.Prepare();
    EXPECT_EQ(Counts(), (std::array<std::string, 4>{"3", "0", "0", "0"}));
    EXPECT_FALSE(page.lblFailed->isVisibleTo(&page));
    std::vector<std::string> contacts;
    ASSERT_TRUE(platform::file::ListFolder(dir.Path() + "store/Contacts/", contacts));
    EXPECT_EQ(contacts.size(), 3u);

    ASSERT_TRUE(LoadPickMigrate());
    EXPECT_EQ(GetAdapterTable().SelectedAddr()->GetCount(), 3u);
    page.Prepare();
    EXPECT_EQ(Counts(), (std::array<std::string, 4>{"0", "0", "0", "0"}));
    EXPECT_TRUE(Messages().empty());
}

// Writes that fail are not counted as migrated; the page says how many
// failed, over all kinds, and the count goes when a later run writes all.
TEST_F(TfmFinishTest, SaysHowManyRecordsCouldNotBeWritten) {
    fwtest::Plans().clear();
    fwtest::RegisterFakes<kAppPalm>();
    fwtest::RegisterFakes<kAppOutlook>();
    fwtest::Plans()[{kAppPalm, CommKindAddr}].records = {"Ann=1", "Bob=2", "Cid=3"};
    fwtest::Plans()[{kAppPalm, CommKindTask}].records = {"Pay=1", "Call=2"};
    Settings& s = AppSettings();
    s.SyncAddr = s.SyncTask = 1;
    s.SyncDate = s.SyncNote = 0;

    struct Case {
        std::map<std::string, AppMigrateResult> outcomes;
        std::array<std::string, 4> counts;
        std::string failed;  // empty: the line is hidden
    };
    const Case cases[] = {
        {{{"Bob", AppMigrateResult::Failed}},
         {"2", "0", "2", "0"},
         "1 record could not be written; see the migration log."},
        {{{"Bob", AppMigrateResult::Failed}, {"Pay", AppMigrateResult::Failed}, {"Ann", AppMigrateResult::Unchanged}},
         {"1", "0", "1", "0"},
         "2 records could not be written; see the migration log."},
        {{}, {"3", "0", "2", "0"}, ""},
    };
    for (const Case& c : cases) {
        fwtest::Plans()[{kAppOutlook, CommKindAddr}].results = c.outcomes;
        fwtest::Plans()[{kAppOutlook, CommKindTask}].results = c.outcomes;
        ASSERT_TRUE(LoadPickMigrate());
        page.Prepare();
        EXPECT_EQ(Counts(), c.counts);
        EXPECT_EQ(page.lblFailed->text().toStdString(), c.failed);
        EXPECT_EQ(page.lblFailed->isVisibleTo(&page), !c.failed.empty());
    }
    fwtest::Plans().clear();
}

TEST_F(TfmFinishTest, ButtonsOpenTheLogAndOutlookAndRestart) {
    EXPECT_TRUE(page.Commit());
    QTest::mouseClick(page.btnOL, Qt::LeftButton);  // no Outlook program: nothing
    EXPECT_TRUE(services.opened.empty());

    platform::CopyText(AppSettings().OLAppName, dir.Path() + "store");
    QTest::mouseClick(page.btnOL, Qt::LeftButton);
    QTest::mouseClick(page.btnLog, Qt::LeftButton);
    char folder[260];
    ASSERT_TRUE(GetDataFolder(folder, sizeof folder));
    EXPECT_EQ(services.opened, (std::vector<QString>{QString::fromStdString(dir.Path() + "store"),
                                                     QString::fromUtf8(folder) + "SWLog.txt"}));

    QTest::mouseClick(page.btnBack, Qt::LeftButton);
    EXPECT_EQ(host.restarts, 1);
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
