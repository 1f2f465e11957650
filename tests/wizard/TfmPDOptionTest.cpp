// The Palm Desktop option page: the users and version of a Palm Desktop
// installed under Wine, the kinds' tabs, the files picked and checked, and
// Next loading Palm Desktop files written by palmdat together with Outlook.
#include <QComboBox>
#include <QTabWidget>
#include <string>

#include "app/AppAdapters.h"
#include "app/wizard/TfmPDOption.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "tests/palm/PalmDesktopFixture.h"
#include "tests/wizard/OptionPageSupport.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

// One kind's controls, settings and texts.
struct KindCase {
    const char* check;
    const char* edit;
    const char* browse;
    const char* tab;
    const char* dialogTitle;
    const char* rejected;
    palmdat::Kind kind;
    std::int32_t Settings::*sync;
    std::int32_t Settings::*useFile;
    char (Settings::*fileName)[256];
};

const KindCase kKinds[4] = {
    {"cbAddrFile", "edtAddrFile", "btnAddrBrowse", "Contacts", "Open Palm Desktop Contacts data file",
     "Error: Invalid Palm Desktop contacts database file, please try another one.", palmdat::Kind::Address,
     &Settings::SyncAddr, &Settings::PDUseAddrFile, &Settings::PDAddrFileName},
    {"cbDateFile", "edtDateFile", "btnDateBrowse", "Calendar", "Open Palm Desktop Calendar data file",
     "Error: Invalid Palm Desktop calendar database file, please try another one.", palmdat::Kind::Datebook,
     &Settings::SyncDate, &Settings::PDUseDateFile, &Settings::PDDateFileName},
    {"cbTodoFile", "edtTodoFile", "btnTodoBrowse", "Tasks", "Open Palm Desktop Task data file",
     "Error: Invalid Palm Desktop task database file, please try another one.", palmdat::Kind::Todo,
     &Settings::SyncTask, &Settings::PDUseTaskFile, &Settings::PDTaskFileName},
    {"cbMemoFile", "edtMemoFile", "btnMemoBrowse", "Notes", "Open Palm Desktop Memos data file",
     "Error: Invalid Palm Desktop memo database file, please try another one.", palmdat::Kind::Memo,
     &Settings::SyncNote, &Settings::PDUseNoteFile, &Settings::PDNoteFileName},
};

class PalmPage : public fwtest::OptionPageFixture {
protected:
    TfmPDOption page{host};
    QComboBox* users = fwtest::Control<QComboBox>(page, "cbPDUser");
    QLabel* version = fwtest::Control<QLabel>(page, "lblPDVersion");
    QTabWidget* tabs = fwtest::Control<QTabWidget>(page, "pgFiles");

    QCheckBox* Check(const KindCase& k) { return fwtest::Control<QCheckBox>(page, k.check); }
    QLineEdit* Edit(const KindCase& k) { return fwtest::Control<QLineEdit>(page, k.edit); }
    QPushButton* Browse(const KindCase& k) { return fwtest::Control<QPushButton>(page, k.browse); }

    // Palm Desktop 4.1.4 in "C:\Palm" with its users.
    void InstallPalmDesktop(const std::vector<palmtest::FakeUser>& list) {
        FileOnC("Palm/palm.exe", palmtest::ProgramWithVersion(4, 1, 4, 0));
        for (const char* lib : {"condmgr.dll", "UserData.dll", "HSAPI.DLL", "instaide.dll"})
            FileOnC(std::string("Palm/") + lib, "library");
        FileOnC("Palm/USERS.DAT", palmtest::UsersDat(list));
        for (const auto& user : list) FileOnC("Palm/" + user.folder + "/memopad/keep", "");
        Registry("", fwtest::RegistryKey("Software\\U.S. Robotics\\Pilot Desktop\\Core", "DesktopPath", "C:\\Palm\\"));
    }
    // The sample file of a kind as palmdat writes it.
    std::string Sample(palmdat::Kind kind, palmdat::Format format = palmdat::Format::V414) {
        const std::string path = dir.File(std::string(palmdat::FileName(kind)));
        EXPECT_TRUE(palmdat::Write(path, palmdat::SampleFile(kind, format)));
        return path;
    }
    std::vector<QString> UserNames() const {
        std::vector<QString> names;
        for (int i = 0; i < users->count(); ++i) names.push_back(users->itemText(i));
        return names;
    }
};

TEST_F(PalmPage, OffersTheInstalledUsersAndVersion) {
    InstallPalmDesktop({{3, "Anna Palm", "AnnaP"}, {7, "Bo", "Bo"}});
    struct Case {
        std::int32_t stored;
        QString selected;
    } cases[] = {{0, "Anna Palm"}, {7, "Bo"}, {3, "Anna Palm"}, {99, "Anna Palm"}};
    for (const Case& c : cases) {
        AppSettings().PDUserID = c.stored;
        page.Prepare();
        EXPECT_EQ(UserNames(), (std::vector<QString>{"Anna Palm", "Bo"}));
        EXPECT_EQ(users->currentText(), c.selected) << c.stored;
    }
    EXPECT_EQ(version->text(), QStringLiteral("4.1.4.0"));
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::blue));

    // Next stores the chosen user's id. A memo file that cannot be read
    // leaves an empty list without stopping the load.
    Settings& s = AppSettings();
    s.SyncAddr = s.SyncDate = s.SyncTask = 0;
    users->setCurrentIndex(1);
    EXPECT_TRUE(page.Commit());
    EXPECT_EQ(s.PDUserID, 7);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PalmPage, WithoutPalmDesktopTheVersionIsNotFoundAndTheUserStays) {
    AppSettings().PDUserID = 12;
    page.Prepare();
    EXPECT_EQ(users->count(), 0);
    EXPECT_EQ(version->text(), QStringLiteral("Not Found."));
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::red));
    AppSettings().SyncAddr = AppSettings().SyncDate = AppSettings().SyncTask = 0;
    page.Commit();
    EXPECT_EQ(AppSettings().PDUserID, 12);
}

TEST_F(PalmPage, ShowsOnlyTheChosenKindsTabsAndEachBoxEnablesItsFile) {
    Settings& s = AppSettings();
    for (int only = 0; only < 4; ++only) {
        for (int k = 0; k < 4; ++k) {
            s.*kKinds[k].sync = k == only ? 1 : 0;
            s.*kKinds[k].useFile = k == only ? 1 : 0;
        }
        platform::CopyText(s.*kKinds[only].fileName, "/data/palm.dat");
        page.Prepare();
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(kKinds[k].tab);
            EXPECT_EQ(tabs->tabText(k), QString::fromLatin1(kKinds[k].tab));
            EXPECT_EQ(tabs->isTabVisible(k), k == only);
            EXPECT_EQ(Check(kKinds[k])->isChecked(), k == only);
            EXPECT_EQ(Edit(kKinds[k])->isEnabled(), k == only);
            EXPECT_EQ(Browse(kKinds[k])->isEnabled(), k == only);
        }
        EXPECT_EQ(Edit(kKinds[only])->text(), QStringLiteral("/data/palm.dat"));
        Check(kKinds[only])->click();
        EXPECT_FALSE(Edit(kKinds[only])->isEnabled());
        EXPECT_FALSE(Browse(kKinds[only])->isEnabled());
    }
}

TEST_F(PalmPage, APickedFileIsCheckedBeforeItIsTaken) {
    Show(page);
    page.Prepare();
    const std::string text = dir.File("notes.txt");
    fwtest::WriteFile(text, "plain text");
    const std::string broken = dir.File("broken.dat");
    fwtest::WriteFile(broken, std::string("\0\x01\x42\x44", 4) + "not a Palm file");
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.tab);
        ui.ClearCalls();
        services.requests.clear();
        Check(k)->setChecked(true);
        Edit(k)->setText(QStringLiteral("/before.dat"));
        const std::string good = Sample(k.kind);
        services.answers = {QString(), QString::fromStdString(text), QString::fromStdString(broken),
                            QString::fromStdString(good)};
        tabs->setCurrentWidget(Check(k)->parentWidget());
        for (int i = 0; i < 4; ++i) fwtest::OptionPageFixture::Click(Browse(k));

        ASSERT_EQ(services.requests.size(), 4u);
        EXPECT_EQ(services.requests[0].title, QString::fromLatin1(k.dialogTitle));
        EXPECT_EQ(services.requests[0].filters,
                  (QStringList{"Palm Desktop 4.x Database File(*.dat)", "Palm Desktop 6.x Database File(*.mdb)",
                               "All Files(*.*)"}));
        EXPECT_EQ(services.requests[0].start, QStringLiteral("/before.dat"));
        // Cancelled, then two refused files: the edit keeps its text; then a real one.
        EXPECT_EQ(Messages(), (std::vector<std::string>{k.rejected, k.rejected}));
        EXPECT_EQ(Edit(k)->text().toStdString(), good);
    }
    // The refused file leaves the focus in the edit.
    services.answers = {QString::fromStdString(text)};
    fwtest::OptionPageFixture::Click(Browse(kKinds[3]));
    EXPECT_TRUE(Edit(kKinds[3])->hasFocus());
}

TEST_F(PalmPage, NextLoadsThePalmFilesAndOutlook) {
    Settings& s = AppSettings();
    page.Prepare();
    std::string paths[4];
    for (int k = 0; k < 4; ++k) {
        paths[k] = Sample(kKinds[k].kind, k % 2 == 0 ? palmdat::Format::V414 : palmdat::Format::Earlier);
        Check(kKinds[k])->setChecked(true);
        Edit(kKinds[k])->setText(QString::fromStdString(paths[k]));
    }
    ASSERT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.*kKinds[k].useFile, 1);
        EXPECT_EQ(std::string(s.*kKinds[k].fileName), paths[k]);
        EXPECT_NE(GetAdapterTable().Get(kAppOutlook, k), nullptr);
    }
    // Every record is new against an empty Outlook.
    auto* contacts = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    auto* memos = FindAdapterObject<PmMemoInfo>(kAppPalm, CommKindNote);
    ASSERT_TRUE(contacts && memos && FindAdapterObject<PmDateInfo>(kAppPalm, CommKindDate) &&
                FindAdapterObject<PmTodoInfo>(kAppPalm, CommKindTask));
    EXPECT_GT(contacts->GetCommonList()->GetRecordCount(), 10u);
    EXPECT_GT(memos->GetCommonList()->GetRecordCount(), 5u);
    for (CommAddrRec* r = contacts->GetCommonList()->GetFirstRecord(); r != nullptr;
         r = contacts->GetCommonList()->GetNextRecord())
        EXPECT_EQ(r->Status, CommStatusNew);
}

TEST_F(PalmPage, AFailedLoadKeepsThePageAndItsInput) {
    page.Prepare();
    const std::string missing = dir.File("gone/datebook.dat");
    const std::string longPath = "/" + std::string(299, 'p');
    for (int k = 0; k < 4; ++k) Check(kKinds[k])->setChecked(true);
    Edit(kKinds[0])->setText(QString::fromStdString(Sample(palmdat::Kind::Address)));
    Edit(kKinds[1])->setText(QString::fromStdString(missing));
    Edit(kKinds[2])->setText(QString::fromStdString(longPath));
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Failed to load Palm Desktop Calendar information.\n" +
                                                   missing + ": the file does not exist."});
    EXPECT_EQ(Edit(kKinds[1])->text().toStdString(), missing);
    // The kinds after the failed one are not loaded; the long path was cut to its capacity.
    EXPECT_EQ(GetAdapterTable().Get(kAppPalm, CommKindTask), nullptr);
    EXPECT_EQ(std::string(AppSettings().PDTaskFileName), longPath.substr(0, 255));
    EXPECT_EQ(Edit(kKinds[2])->text().toStdString(), longPath);
}

}  // namespace
