// The option pages of ACT!, Google and Lotus Notes: the defaults found in a
// Wine registry and the documents folder, the checks of Next in their
// order, what is stored and cut to its capacity, and the load that
// follows; and for all six option pages their headings and Tab order.
#include <QTabBar>
#include <functional>
#include <memory>
#include <string>

#include "app/wizard/TfmACTOption.h"
#include "app/wizard/TfmGGOption.h"
#include "app/wizard/TfmLNOption.h"
#include "app/wizard/TfmOLOption.h"
#include "app/wizard/TfmPDOption.h"
#include "tests/app/FakeAdapters.h"
#include "tests/palm/PalmDesktopFixture.h"
#include "tests/wizard/OptionPageSupport.h"

namespace {

using fwtest::Control;
using platform::MessageIcon;

class SourcePages : public fwtest::OptionPageFixture {
protected:
    SourcePages() { fwtest::Plans().clear(); }
    ~SourcePages() override {
        for (int app : {kAppACT, kAppGoogle, kAppLotus})
            for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(app, kind, nullptr);
        fwtest::Plans().clear();
    }
    // The application's kinds load the records of their plans.
    template <int App>
    void UseFakes() {
        fwtest::RegisterFakes<App>();
    }
    static std::string Text(QLineEdit* edit) { return edit->text().toStdString(); }

    fwtest::ScopedEnv config{"XDG_CONFIG_HOME", dir.Path() + "config"};
};

// ---- ACT! ----

class ActPage : public SourcePages {
protected:
    TfmACTOption page{host};
    QLineEdit* app = Control<QLineEdit>(page, "edtAppPath");
    QLineEdit* pad = Control<QLineEdit>(page, "edtPadName");
    QLineEdit* user = Control<QLineEdit>(page, "edtUserName");
    QLineEdit* password = Control<QLineEdit>(page, "edtPassword");

    void InstallAct() {
        FileOnC("Program Files/ACT/ActSage.exe");
        Registry(fwtest::RegistryKey("SOFTWARE\\ACT\\Install", "InstallPath", "C:\\Program Files\\ACT") +
                 fwtest::RegistryKey("SOFTWARE\\ACT\\Install", "AppName", "ActSage.exe"));
        platform::EnsureFolderTree(dir.Path() + "home/Documents/ACT/Sales/Databases");
        fwtest::WriteFile(dir.Path() + "home/Documents/ACT/Sales/Databases/Team.pad", "pad");
    }
};

TEST_F(ActPage, FindsTheProgramAndDatabaseAndHidesTheMapping) {
    page.Prepare();
    EXPECT_EQ(Text(app), "");
    EXPECT_EQ(Text(pad), "");
    InstallAct();
    AppSettings().ACTSavePassword = 1;
    platform::CopyText(AppSettings().ACTUserName, "Chris");
    platform::CopyText(AppSettings().ACTPassword, "secret");
    page.Prepare();
    EXPECT_EQ(Text(app), OnC("Program Files/ACT/ActSage.exe"));
    EXPECT_EQ(Text(pad), dir.Path() + "home/Documents/ACT/Sales/Databases/Team.pad");
    EXPECT_STREQ(AppSettings().ACTAppName, Text(app).c_str());
    EXPECT_EQ(Text(user), "Chris");
    EXPECT_EQ(Text(password), "secret");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(Control<QCheckBox>(page, "cbSaveUser")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(page, "cbSavePassword")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(page, "cbFieldMap")->isHidden());
    EXPECT_TRUE(Control<QPushButton>(page, "btnMap")->isHidden());

    // Browsing starts at the edit, or at the default when it is empty.
    services.answers = {QString(), QStringLiteral("/chosen/other.pad")};
    Click(Control<QPushButton>(page, "btnPadBrowse"));
    EXPECT_EQ(Text(pad), dir.Path() + "home/Documents/ACT/Sales/Databases/Team.pad");
    pad->clear();
    Click(Control<QPushButton>(page, "btnPadBrowse"));
    EXPECT_EQ(Text(pad), "/chosen/other.pad");
    ASSERT_EQ(services.requests.size(), 2u);
    EXPECT_EQ(services.requests[0].filters,
              (QStringList{"ACT! Database File (*.pad)", "ACT! text export (*.csv *.txt)"}));
    EXPECT_EQ(services.requests[1].start.toStdString(), dir.Path() + "home/Documents/ACT/Sales/Databases/Team.pad");
    app->clear();
    services.answers = {QStringLiteral("/opt/act/ActSage.exe")};
    Click(Control<QPushButton>(page, "btnAppBrowse"));
    EXPECT_EQ(Text(app), "/opt/act/ActSage.exe");
    EXPECT_EQ(services.requests[2].filters, QStringList{"ACT! executable file (ActSage.exe) (*.exe)"});
    EXPECT_EQ(services.requests[2].start.toStdString(), OnC("Program Files/ACT/ActSage.exe"));
}

TEST_F(ActPage, NextChecksProgramDatabaseAndUserInThatOrderAfterStoring) {
    InstallAct();
    UseFakes<kAppACT>();
    Show(page);
    page.Prepare();
    const std::string database = Text(pad);
    struct Case {
        std::string program, pad, user;
        const char* message;  // none: the load follows
        const char* focused;
    } cases[] = {
        {"/no/ActSage.exe", "/no/team.pad", "", "The ACT! application is not found on your computer.", "edtAppPath"},
        {"", "/no/team.pad", "Dana", "Invalid ACT! Pad file name.", "edtPadName"},
        {"", "", "Dana", "Invalid ACT! Pad file name.", "edtPadName"},
        {OnC("program files/act/actsage.exe"), database, "", "Invalid ACT! login user name.", "edtUserName"},
        {"", database, "Dana", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + "|" + c.pad + "|" + c.user);
        ui.ClearCalls();
        AppSettings().ACTUserName[0] = '\0';
        app->setText(QString::fromStdString(c.program));
        pad->setText(QString::fromStdString(c.pad));
        user->setText(QString::fromStdString(c.user));
        const bool next = page.Commit();
        EXPECT_EQ(next, c.message == nullptr);
        // What was entered is stored whether or not a check fails.
        EXPECT_EQ(std::string(AppSettings().ACTUserName), c.user);
        if (!c.pad.empty()) {
            EXPECT_EQ(std::string(AppSettings().ACTPadName), c.pad);
        }
        if (c.message == nullptr) {
            EXPECT_TRUE(Messages().empty());
            continue;
        }
        EXPECT_EQ(Messages(), std::vector<std::string>{std::string("Error: ") + c.message});
        EXPECT_EQ(Icons(), std::vector<MessageIcon>{MessageIcon::Error});
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(c.focused));
    }
    // A failed load keeps the page.
    fwtest::Plans()[{kAppACT, CommKindDate}].loadOk = false;
    ui.ClearCalls();
    EXPECT_FALSE(page.Commit());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("Error: Loading ACT! Calendar Error:", 0), 0u) << Messages()[0];
}

// A text export is read without logging in; a database reached by its name
// through the Web API needs no ".pad" file.
TEST_F(ActPage, ATextExportNeedsNoUserAndADatabaseNameNoPadFile) {
    UseFakes<kAppACT>();
    Show(page);
    page.Prepare();
    fwtest::WriteFile(dir.Path() + "contacts.TXT", "Contact\tCompany\n");
    fwtest::WriteFile(dir.Path() + "contacts.csv.pad", "pad");
    struct Case {
        std::string pad, databaseName;
        bool next;
    } cases[] = {
        {dir.Path() + "contacts.TXT", "", true},
        {dir.Path() + "missing.csv", "", false},       // an export must exist
        {dir.Path() + "contacts.csv.pad", "", false},  // a database needs the user
        {"", "Sales", false},                          // by name, but the user is missing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pad + "|" + c.databaseName);
        ui.ClearCalls();
        AppSettings().ACTUserName[0] = AppSettings().ACTPassword[0] = AppSettings().ACTPadName[0] = '\0';
        platform::CopyText(AppSettings().ACTDatabaseName, c.databaseName);
        pad->setText(QString::fromStdString(c.pad));
        user->clear();
        password->clear();
        EXPECT_EQ(page.Commit(), c.next);
        EXPECT_EQ(Messages().size(), c.next ? 0u : 1u);
    }
    ui.ClearCalls();
    pad->clear();
    user->setText(QStringLiteral("Dana"));
    EXPECT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());
    EXPECT_STREQ(AppSettings().ACTDatabaseName, "Sales");
}

TEST_F(ActPage, StoredValuesKeepTheirCapacities) {
    page.Prepare();
    app->setText(QString(300, QLatin1Char('a')));
    pad->setText(QString(300, QLatin1Char('p')));
    user->setText(QString(100, QLatin1Char('u')));
    password->setText(QString(50, QChar(0x00E9)));  // 100 bytes
    EXPECT_FALSE(page.Commit());
    const Settings& s = AppSettings();
    EXPECT_EQ(std::string(s.ACTAppName), std::string(255, 'a'));
    EXPECT_EQ(std::string(s.ACTPadName), std::string(255, 'p'));
    EXPECT_EQ(std::string(s.ACTUserName), std::string(63, 'u'));
    EXPECT_EQ(std::strlen(s.ACTPassword), 62u);  // 31 whole characters of two bytes
}

// ---- Google ----

class GooglePage : public SourcePages {
protected:
    TfmGGOption page{host};
    QLineEdit* email = Control<QLineEdit>(page, "edtEmail");
    QLineEdit* password = Control<QLineEdit>(page, "edtPassword");
    QCheckBox* saveEmail = Control<QCheckBox>(page, "cbSaveEmail");
    QCheckBox* savePassword = Control<QCheckBox>(page, "cbSavePassword");
};

TEST_F(GooglePage, AnEmptyFieldIsReportedOneAtATimeAndNothingIsStored) {
    Show(page);
    Settings& s = AppSettings();
    platform::CopyText(s.GGEmail, "old@example.org");
    page.Prepare();
    EXPECT_EQ(Text(email), "old@example.org");
    EXPECT_TRUE(saveEmail->isChecked());
    EXPECT_FALSE(savePassword->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(page, "cbFieldMap")->isHidden());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);

    email->clear();
    savePassword->setChecked(true);
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Please enter the Email address of your Google account."});
    EXPECT_EQ(Icons(), std::vector<MessageIcon>{MessageIcon::Information});
    EXPECT_TRUE(email->hasFocus());

    email->setText(QStringLiteral("new@example.org"));
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages().back(), "Error: Please enter the password of your Google account.");
    EXPECT_EQ(Icons().back(), MessageIcon::Information);
    EXPECT_TRUE(password->hasFocus());
    EXPECT_STREQ(s.GGEmail, "old@example.org");
    EXPECT_EQ(s.GGSavePassword, 0);
}

TEST_F(GooglePage, NextStoresTheAccountAndLoads) {
    UseFakes<kAppGoogle>();
    fwtest::Plans()[{kAppGoogle, CommKindAddr}].records = {"Eve=Acme"};
    Settings& s = AppSettings();
    page.Prepare();
    email->setText(QString(70, QLatin1Char('e')));
    password->setText(QStringLiteral("pa55"));
    saveEmail->setChecked(false);
    savePassword->setChecked(true);
    ASSERT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(std::string(s.GGEmail), std::string(63, 'e'));
    EXPECT_STREQ(s.GGPassword, "pa55");
    EXPECT_EQ(s.GGSaveEmail, 0);
    EXPECT_EQ(s.GGSavePassword, 1);
    ASSERT_NE(GetAdapterTable().Get(kAppGoogle, CommKindAddr), nullptr);

    fwtest::Plans()[{kAppGoogle, CommKindAddr}].hasError = true;
    fwtest::Plans()[{kAppGoogle, CommKindAddr}].errorText = "authentication failed";
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Loading Google Contacts Error: authentication failed"});
}

TEST_F(GooglePage, AnExportIsReadWithoutAccountAndChosenAsFileOrFolder) {
    UseFakes<kAppGoogle>();
    Settings& s = AppSettings();
    platform::CopyText(s.GGExportPath, "/old/takeout.zip");
    page.Prepare();
    QLineEdit* exportPath = Control<QLineEdit>(page, "edtExportPath");
    EXPECT_EQ(Text(exportPath), "/old/takeout.zip");

    services.answers = {QStringLiteral("/home/u/takeout-001.tgz"), QString()};
    Control<QPushButton>(page, "btnExportBrowse")->click();
    EXPECT_EQ(Text(exportPath), "/home/u/takeout-001.tgz");
    ASSERT_EQ(services.requests.size(), 1u);
    EXPECT_EQ(services.requests[0].filters.front(),
              "Google Takeout archive or export (*.zip *.tgz *.tar.gz *.vcf *.ics *.csv)");
    EXPECT_EQ(services.requests[0].start, QStringLiteral("/old/takeout.zip"));
    Control<QPushButton>(page, "btnExportFolder")->click();  // cancelled: the path stays
    EXPECT_EQ(Text(exportPath), "/home/u/takeout-001.tgz");
    services.answers = {QStringLiteral("/home/u/Takeout")};
    Control<QPushButton>(page, "btnExportFolder")->click();
    EXPECT_EQ(Text(exportPath), "/home/u/Takeout");
    EXPECT_EQ(services.requests[2].start, QStringLiteral("/home/u/takeout-001.tgz"));

    // With an export, neither an e-mail nor a password is asked for.
    email->clear();
    password->clear();
    ASSERT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());
    EXPECT_STREQ(s.GGExportPath, "/home/u/Takeout");
    EXPECT_STREQ(s.GGEmail, "");
    // Blanks alone are no export: the account's checks hold again.
    exportPath->setText(QStringLiteral("   "));
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Please enter the Email address of your Google account."});
    EXPECT_STREQ(s.GGExportPath, "/home/u/Takeout");
}

// ---- Lotus Notes ----

class NotesPages : public SourcePages {
protected:
    TfmLNOption1 first{host};
    TfmLNOption2 second{host};
    QLineEdit* program = Control<QLineEdit>(first, "edtNotesPath");
    QLabel* version = Control<QLabel>(first, "lblNotesVersion");
    QLineEdit* idFile = Control<QLineEdit>(first, "edtIDFile");
    QLineEdit* notesPassword = Control<QLineEdit>(first, "edtLNPassword");
    QLineEdit* addressBook = Control<QLineEdit>(second, "edtLNAddrPath");
    QLineEdit* mailDb = Control<QLineEdit>(second, "edtLNDBPath");
    QLineEdit* notebook = Control<QLineEdit>(second, "edtLNNotePath");

    void InstallNotes(bool withNotebook) {
        FileOnC("Lotus/Notes/notes.exe", palmtest::ProgramWithVersion(8, 5, 3, 0));
        FileOnC("Lotus/Notes/Data/names.nsf");
        if (withNotebook) FileOnC("Lotus/Notes/Data/notebook.nsf");
        Registry(fwtest::RegistryKey("SOFTWARE\\Lotus\\Notes", "Path", "C:\\Lotus\\Notes\\"),
                 fwtest::RegistryKey("SOFTWARE\\Lotus\\Notes\\Installer", "DATADIR", "C:\\Lotus\\Notes\\Data"));
    }
};

TEST_F(NotesPages, FindTheInstallationsFilesAndVersion) {
    first.Prepare();
    second.Prepare();
    EXPECT_EQ(Text(program), "");
    EXPECT_EQ(version->text(), QStringLiteral("Unknown"));
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Text(addressBook), "");

    InstallNotes(false);
    first.Prepare();
    second.Prepare();
    EXPECT_EQ(Text(program), OnC("Lotus/Notes/notes.exe"));
    EXPECT_EQ(version->text(), QStringLiteral("8.5.3.0"));
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(Text(idFile), OnC("Lotus/Notes/Data/user.id"));
    EXPECT_EQ(Text(addressBook), OnC("Lotus/Notes/Data/names.nsf"));
    EXPECT_EQ(Text(notebook), "");  // no notebook.nsf in the data folder

    InstallNotes(true);
    second.Prepare();
    EXPECT_EQ(Text(notebook), OnC("Lotus/Notes/Data/notebook.nsf"));
    EXPECT_TRUE(Control<QCheckBox>(second, "cbFieldMap")->isHidden());
    EXPECT_EQ(Control<QLabel>(second, "lblLNNote")->text(),
              QStringLiteral("Notebook database path (example: some path\\notebook.nsf)"));

    // Browsing starts at the default and offers the database filter.
    addressBook->clear();
    services.answers = {QStringLiteral("/srv/notes/team.nsf")};
    Click(Control<QPushButton>(second, "btnLNAddrBrowse"));
    EXPECT_EQ(Text(addressBook), "/srv/notes/team.nsf");
    ASSERT_EQ(services.requests.size(), 1u);
    EXPECT_EQ(services.requests[0].start.toStdString(), OnC("Lotus/Notes/Data/names.nsf"));
    EXPECT_EQ(services.requests[0].filters, (QStringList{"Lotus Notes Contacts Database file (names.nsf) (*.nsf)",
                                                         "Notes DXL export (*.dxl *.xml)", "vCard file (*.vcf)"}));
    services.answers = {QString()};
    Click(Control<QPushButton>(first, "btnIDFileBrowse"));
    EXPECT_EQ(Text(idFile), OnC("Lotus/Notes/Data/user.id"));
    EXPECT_EQ(services.requests[1].filters,
              (QStringList{"Lotus Notes user ID file (user.id) (*.id)", "All Files(*.*)"}));

    // The mail database has a browse button too: it starts in the data
    // folder, and each kind offers the exports it can be read from.
    mailDb->clear();
    services.answers = {QStringLiteral("/exports/mail.ics"), QStringLiteral("/exports/journal.dxl")};
    Click(Control<QPushButton>(second, "btnLNDBBrowse"));
    Click(Control<QPushButton>(second, "btnLNNoteBrowse"));
    EXPECT_EQ(Text(mailDb), "/exports/mail.ics");
    EXPECT_EQ(Text(notebook), "/exports/journal.dxl");
    ASSERT_EQ(services.requests.size(), 4u);
    EXPECT_EQ(services.requests[2].start.toStdString(), OnC("Lotus/Notes/Data/"));
    EXPECT_EQ(services.requests[2].filters, (QStringList{"Lotus Notes Mail Database file (*.nsf)",
                                                         "Notes DXL export (*.dxl *.xml)", "iCalendar file (*.ics)"}));
    EXPECT_EQ(services.requests[3].start.toStdString(), OnC("Lotus/Notes/Data/notebook.nsf"));
    EXPECT_EQ(services.requests[3].filters, (QStringList{"Lotus Notes Notebook Database file (notebook.nsf) (*.nsf)",
                                                         "Notes DXL export (*.dxl *.xml)", "iCalendar file (*.ics)"}));
}

TEST_F(NotesPages, TheProgramIsOptionalButANamedOneMustExist) {
    Show(first);
    first.Prepare();
    Settings& s = AppSettings();
    Control<QCheckBox>(first, "cbLNPassword")->setChecked(true);
    Control<QCheckBox>(first, "cbLNSavePassword")->setChecked(true);
    notesPassword->setText(QString(80, QLatin1Char('w')));
    program->setText(QStringLiteral("/no/such/notes.exe"));
    EXPECT_FALSE(first.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Error: Invalid path for Lotus Notes note.exe. Lotus Notes executable not found."});
    EXPECT_TRUE(program->hasFocus());
    EXPECT_EQ(s.LNNeedPassword, 0);

    program->clear();
    idFile->setText(QStringLiteral("/home/me/user.id"));
    EXPECT_TRUE(first.Commit());
    EXPECT_EQ(s.LNNeedPassword, 1);
    EXPECT_EQ(s.LNSavePassword, 1);
    EXPECT_EQ(std::string(s.LNPassword), std::string(63, 'w'));
    EXPECT_STREQ(s.LNIDFile, "/home/me/user.id");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(NotesPages, TheDatabasesFollowTheChosenKindsAndNextLoads) {
    UseFakes<kAppLotus>();
    Settings& s = AppSettings();
    struct Case {
        int addr, date, task;
        bool addressOffered, mailOffered;
    } cases[] = {{1, 0, 0, true, false}, {0, 1, 0, false, true}, {0, 0, 1, false, true}, {1, 1, 1, true, true}};
    for (const Case& c : cases) {
        s.SyncAddr = c.addr;
        s.SyncDate = c.date;
        s.SyncTask = c.task;
        second.Prepare();
        EXPECT_EQ(addressBook->isEnabled(), c.addressOffered);
        EXPECT_EQ(Control<QPushButton>(second, "btnLNAddrBrowse")->isEnabled(), c.addressOffered);
        EXPECT_EQ(mailDb->isEnabled(), c.mailOffered);
        EXPECT_EQ(Control<QPushButton>(second, "btnLNDBBrowse")->isEnabled(), c.mailOffered);
    }
    addressBook->setText(QStringLiteral("Primary1/Org1!!names.nsf"));
    mailDb->setText(QStringLiteral("Primary1/Org1!!mail/") + QString(300, QLatin1Char('m')));
    notebook->clear();
    platform::CopyText(s.LNNoteName, "/kept/notebook.nsf");
    ASSERT_TRUE(second.Commit());
    EXPECT_STREQ(s.LNAddrName, "Primary1/Org1!!names.nsf");
    EXPECT_EQ(std::strlen(s.LNDateName), 255u);
    EXPECT_STREQ(s.LNNoteName, "/kept/notebook.nsf");  // an empty edit stores nothing
    EXPECT_NE(GetAdapterTable().Get(kAppLotus, CommKindTask), nullptr);

    fwtest::Plans()[{kAppLotus, CommKindAddr}].loadOk = false;
    EXPECT_FALSE(second.Commit());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("Error: Loading Lotus Notes Contacts Error:", 0), 0u) << Messages()[0];
}

// ---- all six pages ----

struct PageCase {
    const char* name;
    std::function<std::unique_ptr<TfmPage>(WizardHost&)> make;
    QString heading;
    std::vector<std::string> tabOrder;  // the enabled, visible controls, in reading order
};

template <class Page>
std::unique_ptr<TfmPage> Make(WizardHost& host) {
    return std::make_unique<Page>(host);
}

TEST_F(SourcePages, EveryOptionPageHasItsHeadingAndTabsInReadingOrder) {
    const PageCase pages[] = {
        {"Outlook",
         &Make<TfmOLOption>,
         "Please specify Microsoft Outlook options:",
         // The environment names the store here: its browse button is off.
         {"edtOLPath", "btnOLBrowse", "edtOLStorePath", "cbFieldMap"}},
        {"Palm Desktop",
         &Make<TfmPDOption>,
         "Please specify Palm Desktop  access options:",
         {"cbPDUser", "qt_tabwidget_tabbar", "cbAddrFile", "edtAddrFile", "btnAddrBrowse"}},
        {"ACT!",
         &Make<TfmACTOption>,
         "Please specify ACT! by Sage data access options:",
         {"edtAppPath", "btnAppBrowse", "edtPadName", "btnPadBrowse", "edtUserName", "edtPassword", "cbSaveUser",
          "cbSavePassword"}},
        {"Google",
         &Make<TfmGGOption>,
         "Please specify Google account access options:",
         {"edtEmail", "edtPassword", "cbSaveEmail", "cbSavePassword", "edtExportPath", "btnExportBrowse",
          "btnExportFolder"}},
        {"Lotus Notes 1",
         &Make<TfmLNOption1>,
         "Please specify Lotus Notes access options (1 of 2):",
         {"edtNotesPath", "btnNotesBrowse", "edtIDFile", "btnIDFileBrowse", "cbLNPassword", "edtLNPassword",
          "cbLNSavePassword"}},
        {"Lotus Notes 2",
         &Make<TfmLNOption2>,
         "Please specify Lotus Notes access options (2 of 2):",
         {"edtLNAddrPath", "btnLNAddrBrowse", "edtLNDBPath", "btnLNDBBrowse", "edtLNNotePath", "btnLNNoteBrowse"}},
    };
    AppSettings().PDUseAddrFile = 1;
    for (const PageCase& c : pages) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TfmPage> page = c.make(host);
        page->Prepare();
        EXPECT_EQ(Control<QLabel>(*page, "lblHeading")->text(), c.heading);
        Show(*page);
        QWidget* firstControl = page->findChild<QWidget*>(QString::fromStdString(c.tabOrder.front()));
        ASSERT_NE(firstControl, nullptr);
        firstControl->setFocus();
        std::vector<std::string> visited{QApplication::focusWidget()->objectName().toStdString()};
        for (std::size_t i = 0; i < c.tabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget()->objectName().toStdString());
        }
        std::vector<std::string> expected = c.tabOrder;
        expected.push_back(c.tabOrder.front());  // and round again
        EXPECT_EQ(visited, expected);
    }
}

}  // namespace
