// The Outlook option page: the program and version found through the Wine
// registry or the Outlook that answers, the store folder in use, the
// mapping switch of each source, and what Next stores.
#include <QGroupBox>
#include <QPalette>
#include <string>

#include "app/AppAdapters.h"
#include "app/wizard/TfmOLOption.h"
#include "common/palm/PmAddrInfo.h"
#include "platform/file/Folder.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/outlook/Store.h"
#include "platform/outlook/StoreLock.h"
#include "tests/support/Bytes.h"
#include "tests/wizard/OptionPageSupport.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";

class OutlookPage : public fwtest::OptionPageFixture {
protected:
    TfmOLOption page{host};
    QLineEdit* path = fwtest::Control<QLineEdit>(page, "edtOLPath");
    QLabel* version = fwtest::Control<QLabel>(page, "lblOLVersion");
    QLineEdit* storePath = fwtest::Control<QLineEdit>(page, "edtOLStorePath");
    QPushButton* storeBrowse = fwtest::Control<QPushButton>(page, "btnOLStoreBrowse");
    QCheckBox* fieldMap = fwtest::Control<QCheckBox>(page, "cbFieldMap");
    QPushButton* map = fwtest::Control<QPushButton>(page, "btnMap");

    std::string StoreDir() const { return dir.Path() + "store/"; }
    QColor VersionColour() const { return version->palette().color(QPalette::WindowText); }
};

TEST_F(OutlookPage, ProgramAndVersionComeFromTheRegisteredOutlook) {
    FileOnC("Office16/OUTLOOK.EXE", "MZ" + fwtest::FixedFileInfo(0x00100000, 0x10AA03E9));
    Registry(fwtest::RegistryKey(kAppPaths, "Path", "C:\\Office16\\"));
    page.Prepare();
    EXPECT_EQ(path->text().toStdString(), OnC("Office16/OUTLOOK.EXE"));
    EXPECT_STREQ(AppSettings().OLAppName, OnC("Office16/OUTLOOK.EXE").c_str());
    EXPECT_EQ(version->text(), QStringLiteral("16.0.4266.1001"));
    EXPECT_EQ(VersionColour(), QColor(Qt::blue));

    // A path the user stored earlier is kept.
    AppSettings().OLAppName[0] = '\0';
    platform::CopyText(AppSettings().OLAppName, "/opt/outlook/OUTLOOK.EXE");
    page.Prepare();
    EXPECT_EQ(path->text(), QStringLiteral("/opt/outlook/OUTLOOK.EXE"));
}

TEST_F(OutlookPage, WithoutARegisteredOutlookThePathIsTheStoreAndTheOutlookThatAnswersTellsItsVersion) {
    page.Prepare();
    EXPECT_EQ(path->text().toStdString(), StoreDir());
    EXPECT_EQ(storePath->text().toStdString(), StoreDir());
    EXPECT_EQ(version->text(), QStringLiteral("16.0.0.0"));
    EXPECT_EQ(VersionColour(), QColor(Qt::blue));
    // Next works without typing a made-up path.
    EXPECT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());

    // No Outlook at all: "Unknown" in red.
    platform::outlook::UnregisterOutlookApplication();
    page.Prepare();
    platform::outlook::RegisterOutlookApplication();
    EXPECT_EQ(version->text(), QStringLiteral("Unknown"));
    EXPECT_EQ(VersionColour(), QColor(Qt::red));
}

TEST_F(OutlookPage, NextNeedsAPathButAcceptsAnyAndKeepsItsCapacity) {
    Show(page);
    page.Prepare();
    path->clear();
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Error: Invalid path for outlook.exe. Outlook executable not found."});
    EXPECT_EQ(Icons(), std::vector<platform::MessageIcon>{platform::MessageIcon::Error});
    EXPECT_TRUE(path->hasFocus());

    struct Case {
        std::string typed;
        std::size_t stored;  // bytes kept of at most 259
    } cases[] = {
        {"/no/such/folder/outlook.exe", 27},
        {std::string(300, 'a'), 259},
        // A two-byte character across the limit is left out whole.
        {std::string(258, 'a') + "\xC3\xA9" + "tail", 258},
    };
    for (const Case& c : cases) {
        path->setText(QString::fromStdString(c.typed));
        EXPECT_TRUE(page.Commit());
        EXPECT_EQ(std::string(AppSettings().OLAppName), c.typed.substr(0, c.stored));
    }
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(OutlookPage, MappingSwitchIsTheSourcesAndOnlyOfferedWithContacts) {
    struct Source {
        int app;
        std::int32_t Settings::*flag;
    } sources[] = {{kAppACT, &Settings::ACTCustom},
                   {kAppGoogle, &Settings::GGCustom},
                   {kAppLotus, &Settings::LNCustom},
                   {kAppPalm, &Settings::PDCustom}};
    Settings& s = AppSettings();
    for (const Source& src : sources) {
        SCOPED_TRACE(src.app);
        s.SourceApp = src.app;
        s.ACTCustom = s.GGCustom = s.LNCustom = s.PDCustom = 0;
        s.*src.flag = 1;
        s.SyncAddr = 1;
        page.Prepare();
        EXPECT_TRUE(fieldMap->isEnabled());
        EXPECT_TRUE(fieldMap->isChecked());
        EXPECT_TRUE(map->isEnabled());  // the button follows the switch
        fieldMap->click();
        EXPECT_FALSE(map->isEnabled());
        ASSERT_TRUE(page.Commit());
        EXPECT_EQ(s.*src.flag, 0);
        EXPECT_EQ(s.ACTCustom + s.GGCustom + s.LNCustom + s.PDCustom, 0);
        // The source's contact adapter (where the program has one) was made for its field map.
        if (GetAdapterFactory(src.app, CommKindAddr) != nullptr) {
            EXPECT_NE(GetAdapterTable().Get(src.app, CommKindAddr), nullptr);
        }

        // Only calendar chosen: disabled and unchecked, and the stored choice stays.
        s.*src.flag = 1;
        s.SyncAddr = s.SyncTask = s.SyncNote = 0;
        page.Prepare();
        EXPECT_FALSE(fieldMap->isEnabled());
        EXPECT_FALSE(fieldMap->isChecked());
        EXPECT_FALSE(map->isEnabled());
        ASSERT_TRUE(page.Commit());
        EXPECT_EQ(s.*src.flag, 1);
    }
}

// Where the store is: the environment (which --store sets) first, then the
// setting, then the default folder.
TEST_F(OutlookPage, StoreIsTheEnvironmentsThenTheSettingsThenTheDefault) {
    const std::string chosen = dir.Path() + "chosen/";
    platform::CopyText(AppSettings().OLStorePath, chosen);
    page.Prepare();
    EXPECT_EQ(UseOutlookStore(), StoreDir());
    EXPECT_EQ(storePath->text().toStdString(), StoreDir());
    EXPECT_TRUE(storePath->isReadOnly());
    EXPECT_FALSE(storeBrowse->isEnabled());
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(std::string(AppSettings().OLStorePath), chosen);  // not overwritten by the environment's

    fwtest::ScopedEnv none{"FRWY_OUTLOOK_STORE", ""};
    page.Prepare();
    EXPECT_EQ(storePath->text().toStdString(), chosen);
    EXPECT_FALSE(storePath->isReadOnly());
    EXPECT_TRUE(storeBrowse->isEnabled());
    EXPECT_EQ(UseOutlookStore(), chosen);

    AppSettings().OLStorePath[0] = '\0';
    EXPECT_EQ(UseOutlookStore(), dir.Path() + "share/norrbek/Outlook/");
    page.Prepare();
    EXPECT_EQ(storePath->text().toStdString(), dir.Path() + "share/norrbek/Outlook/");
    // Leaving the default as it is stores nothing: the default stays the default.
    ASSERT_TRUE(page.Commit());
    EXPECT_STREQ(AppSettings().OLStorePath, "");
    // A folder typed in is kept whole, also when typed relative to home.
    struct Typed {
        QString text;
        std::string stored;
    } typed[] = {{"~/Mail/Outlook ", dir.Path() + "home/Mail/Outlook"}, {"", ""}, {"/srv/store/", "/srv/store"}};
    for (const Typed& t : typed) {
        storePath->setText(t.text);
        ASSERT_TRUE(page.Commit());
        EXPECT_EQ(std::string(AppSettings().OLStorePath), t.stored);
    }
}

TEST_F(OutlookPage, AStoreChosenOnThePageReceivesTheNextLoad) {
    fwtest::ScopedEnv none{"FRWY_OUTLOOK_STORE", ""};
    const std::string first = dir.Path() + "first";
    const std::string second = dir.Path() + "second";
    page.Prepare();
    services.answers = {QString(), QString::fromStdString(first)};
    Click(storeBrowse);  // cancelled: nothing changes
    EXPECT_EQ(storePath->text().toStdString(), dir.Path() + "share/norrbek/Outlook/");
    Click(storeBrowse);
    ASSERT_EQ(services.requests.size(), 2u);
    EXPECT_EQ(services.requests[1].start.toStdString(), dir.Path() + "share/norrbek/Outlook/");
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(std::string(AppSettings().OLStorePath), first);

    ASSERT_TRUE(LoadApplication(nullptr, kAppOutlook, kAppNone));
    EXPECT_TRUE(platform::file::IsFolder(first + "/Contacts"));
    EXPECT_TRUE(platform::outlook::IsStoreLocked(first + "/"));
    page.Prepare();
    EXPECT_EQ(storePath->text().toStdString(), first + "/");

    // Another folder: the next load opens it and lets the first one go; the
    // Palm contacts keep the field map the page set up.
    Settings& s = AppSettings();
    s.SourceApp = kAppPalm;
    s.PDCustom = 1;
    s.PDCustomID[1] = 40;
    s.SyncDate = s.SyncTask = s.SyncNote = 0;
    s.PDUseAddrFile = 1;
    const std::string contacts = dir.File("address.dat");
    ASSERT_TRUE(palmdat::Write(contacts, palmdat::SampleFile(palmdat::Kind::Address, palmdat::Format::V414)));
    platform::CopyText(s.PDAddrFileName, contacts);
    page.Prepare();
    storePath->setText(QString::fromStdString(second));
    ASSERT_TRUE(page.Commit());
    ASSERT_TRUE(LoadApplications(nullptr, kAppPalm, kAppOutlook));
    EXPECT_TRUE(platform::file::IsFolder(second + "/Calendar"));
    EXPECT_TRUE(platform::outlook::IsStoreLocked(second + "/"));
    EXPECT_TRUE(Messages().empty());
    auto* palm = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    ASSERT_NE(palm, nullptr);
    EXPECT_EQ(palm->GetCustomMapSlot(0), 40);
    EXPECT_GT(palm->GetCommonList()->GetRecordCount(), 0u);

    // A folder that cannot be made is reported as such, and the page stays usable.
    fwtest::WriteFile(dir.Path() + "plain-file", "x");
    storePath->setText(QString::fromStdString(dir.Path() + "plain-file/store"));
    ASSERT_TRUE(page.Commit());
    EXPECT_FALSE(LoadApplications(nullptr, kAppPalm, kAppOutlook));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Failed to load Outlook Contacts information.\n"
                                                   "The Outlook store folder cannot be made: " +
                                                   dir.Path() + "plain-file/store/"});

    // At exit the setting's folder is no longer this process's store.
    ExitApplication();
    EXPECT_EQ(platform::outlook::Store::DefaultRoot(), dir.Path() + "share/norrbek/Outlook/");
    InitApplication();
}

}  // namespace
