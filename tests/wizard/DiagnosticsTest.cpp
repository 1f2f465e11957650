// The debug log options, the error report, the window-based user-interface
// service and the handling of exceptions that escape an event handler.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>
#include <thread>

#include "app/wizard/LogFilesBox.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/QtUserInterface.h"
#include "app/wizard/TfmDebug.h"
#include "app/wizard/TfmDump.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/WindowHandle.h"
#include "app/wizard/WizardApplication.h"
#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/TempDir.h"
#include "tests/wizard/MainWindowFixture.h"
#include "tests/wizard/ModalAnswers.h"

namespace {

using Kind = platform::RecordingUserInterface::Kind;

class DiagnosticsTest : public fwtest::MainWindowFixture {
protected:
    std::string DataFolder() const { return dir.Path() + "share/norrbek/FRWY/"; }
    void SetDebug(int enabled, int level) {
        AppSettings().EnableDebug = enabled;
        AppSettings().LogLevel = level;
    }
};

TEST_F(DiagnosticsTest, DebugOptionsShowTheLogAndTheStoredLevel) {
    struct Case {
        int level;
        int entry;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 2}, Case{-1, 2}, Case{99, 2}}) {
        SetDebug(c.level % 2, c.level);
        TfmDebug dialog;
        EXPECT_EQ(dialog.cbxLevel->currentIndex(), c.entry) << c.level;
        EXPECT_EQ(dialog.cbEnable->isChecked(), c.level % 2 != 0);
    }
    TfmDebug dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Ferrywise Debug Log Options");
    EXPECT_EQ(dialog.cbEnable->text().toStdString(), "Enable Debug Log");
    ASSERT_EQ(dialog.cbxLevel->count(), 3);
    EXPECT_EQ(dialog.cbxLevel->itemText(0).toStdString(), "Critical - Only log critical error information.");
    EXPECT_EQ(dialog.cbxLevel->itemText(1).toStdString(), "High - Log high level debug information.");
    EXPECT_EQ(dialog.cbxLevel->itemText(2).toStdString(), "Low - Log very detail debug information.");
    EXPECT_EQ(dialog.logFiles->edtFolder->text().toStdString(), DataFolder());
    EXPECT_EQ(dialog.logFiles->edtFile->text().toStdString(), DataFolder() + "appdebug.log");
    EXPECT_TRUE(dialog.logFiles->btnFolder->isEnabled());
    EXPECT_TRUE(dialog.logFiles->btnFile->isEnabled());
}

// OK (also by Enter or Alt+O) stores and applies; Cancel (also by Escape or
// Alt+C) leaves the settings and the log as they were.
TEST_F(DiagnosticsTest, OkStoresAndAppliesAndCancelStoresNothing) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool stores;
    };
    const Case cases[] = {{Qt::Key_Return, Qt::NoModifier, true},
                          {Qt::Key_O, Qt::AltModifier, true},
                          {Qt::Key_Escape, Qt::NoModifier, false},
                          {Qt::Key_C, Qt::AltModifier, false}};
    CxDebugUtil& debug = CxDebugUtil::Instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        SetDebug(0, 0);
        debug.Enable(false);
        debug.SetLevel(0);
        TfmDebug dialog;
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.cbEnable->setChecked(true);
        dialog.cbxLevel->setCurrentIndex(2);
        dialog.cbxLevel->setFocus();
        fwtest::PressKey(dialog.cbxLevel, c.key, c.modifiers);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), c.stores ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(AppSettings().EnableDebug, c.stores ? 1 : 0);
        EXPECT_EQ(AppSettings().LogLevel, c.stores ? 3 : 0);
        EXPECT_EQ(debug.IsEnabled(), c.stores);
        EXPECT_EQ(debug.GetLevel(), c.stores ? 3 : 0);
    }
    debug.Enable(false);
    debug.SetLevel(0);
}

TEST_F(DiagnosticsTest, TheLogFileOpensOnlyWhenItExists) {
    TfmDebug dialog;
    std::remove((DataFolder() + "appdebug.log").c_str());
    QTest::mouseClick(dialog.logFiles->btnFile, Qt::LeftButton);
    EXPECT_TRUE(services.opened.empty());
    const auto calls = ui.Calls(Kind::MessageBox);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "Debug log file doesn't exist");
    EXPECT_EQ(calls[0].caption, "Error");
    EXPECT_EQ(calls[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(calls[0].owner, HandleOf(&dialog));

    platform::EnsureFolder(DataFolder() + "appdebug.log.d");
    fwtest::WriteFile(DataFolder() + "appdebug.log", "entry\n");
    QTest::mouseClick(dialog.logFiles->btnFile, Qt::LeftButton);
    QTest::mouseClick(dialog.logFiles->btnFolder, Qt::LeftButton);
    QTest::mouseClick(dialog.imgProduct, Qt::LeftButton);
    EXPECT_EQ(services.opened, (std::vector<QString>{QString::fromStdString(DataFolder() + "appdebug.log"),
                                                     QString::fromStdString(DataFolder()), HelpPagePath()}));
    EXPECT_EQ(ui.Calls(Kind::MessageBox).size(), 1u);
}

// Without a data folder there is nothing to browse.
TEST_F(DiagnosticsTest, NoDataFolderDisablesTheBrowseButtons) {
    fwtest::WriteFile(dir.Path() + "blocked", "a file where the folder would be");
    fwtest::ScopedEnv blocked("XDG_DATA_HOME", dir.Path() + "blocked");
    TfmDebug options;
    const platform::ErrorReportInfo none;
    TfmDump report(none);
    for (LogFilesBox* box : {options.logFiles, report.logFiles}) {
        EXPECT_TRUE(box->edtFolder->text().isEmpty());
        EXPECT_TRUE(box->edtFile->text().isEmpty());
        EXPECT_FALSE(box->btnFolder->isEnabled());
        EXPECT_FALSE(box->btnFile->isEnabled());
    }
}

TEST_F(DiagnosticsTest, TabFollowsTheReadingOrderInBothDialogs) {
    auto chain = [](QDialog& dialog, QWidget* from) {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        from->setFocus();
        std::vector<std::string> names{from->objectName().toStdString()};
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == from) break;
            // A label's link takes a Tab of its own.
            const std::string name = QApplication::focusWidget()->objectName().toStdString();
            if (name != names.back()) names.push_back(name);
        }
        return names;
    };
    fwtest::WriteFile(DataFolder() + "appdebug.log", "entry\n");
    TfmDebug options;
    EXPECT_EQ(chain(options, options.logFiles->edtFolder),
              (std::vector<std::string>{"edtFolder", "btnFolder", "edtFile", "btnFile", "cbEnable", "cbxLevel", "btnOK",
                                        "btnCancel"}));
    TfmDump report({});
    EXPECT_EQ(chain(report, report.btnQuit), (std::vector<std::string>{"btnQuit", "lblMail", "edtFolder", "btnFolder",
                                                                       "edtFile", "btnFile", "btnDebug", "btnOK"}));
}

TEST_F(DiagnosticsTest, TheErrorReportMailsSupportAndShowsTheLog) {
    TfmDump report({"/var/log/fw/", "/var/log/fw/appdebug.log", ""});
    EXPECT_EQ(report.windowTitle().toStdString(), "Handle Ferrywise Exception");
    EXPECT_EQ(report.logFiles->edtFolder->text().toStdString(), "/var/log/fw/");
    EXPECT_EQ(report.logFiles->edtFile->text().toStdString(), "/var/log/fw/appdebug.log");
    EXPECT_EQ(report.Address(), SupportAddress());
    std::vector<std::string> texts;
    for (QLabel* label : report.findChildren<QLabel*>()) texts.push_back(label->text().toStdString());
    for (const char* text :
         {platform::kErrorReportSorry, platform::kErrorReportContact, platform::kErrorReportDebugInfo})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    EXPECT_EQ(report.btnOK->text().toStdString(), "&OK");
    EXPECT_EQ(report.btnQuit->text().toStdString(), "Quit Ferrywise");
    EXPECT_EQ(report.btnDebug->text().toStdString(), "&Debug Options");

    // The link as the label hands it on; an address cannot add headers.
    struct Case {
        std::string address;
        std::string url;
    };
    for (const Case& c :
         {Case{"help@norrbek.example",
               "mailto:help@norrbek.example?subject=Ferrywise%20for%20Outlook%20Error%20Report"},
          Case{"a&cc=x@y?z", "mailto:a%26cc%3Dx@y%3Fz?subject=Ferrywise%20for%20Outlook%20Error%20Report"}}) {
        TfmDump mail({"", "", c.address});
        EXPECT_EQ(mail.Address().toStdString(), c.address);
        EXPECT_EQ(SupportMailUrl(mail.Address()).toStdString(), c.url);
        EXPECT_TRUE(mail.lblMail->text().contains(QString::fromStdString(c.url).toHtmlEscaped()));
        emit mail.lblMail->linkActivated(SupportMailUrl(mail.Address()));
        ASSERT_FALSE(services.opened.empty());
        EXPECT_EQ(services.opened.back().toStdString(), c.url);
    }
    QTest::mouseClick(report.imgProduct, Qt::LeftButton);
    EXPECT_EQ(services.opened.back(), HelpPagePath());
}

// OK closes the report only; Debug Options opens the options over it;
// Quit closes the report and the window that owns it.
TEST_F(DiagnosticsTest, TheErrorReportsButtons) {
    Open();
    {
        TfmDump report({}, main.get());
        report.show();
        QTest::mouseClick(report.btnOK, Qt::LeftButton);
        EXPECT_FALSE(report.isVisible());
        EXPECT_TRUE(main->isVisible());
    }
    {
        TfmDump report({}, main.get());
        report.show();
        fwtest::ModalAnswers answers({[&report](QWidget* modal) {
            EXPECT_NE(qobject_cast<TfmDebug*>(modal), nullptr);
            EXPECT_EQ(modal->parentWidget(), &report);
            qobject_cast<QDialog*>(modal)->reject();
        }});
        QTest::mouseClick(report.btnDebug, Qt::LeftButton);
        EXPECT_TRUE(report.isVisible());
        QTest::mouseClick(report.btnQuit, Qt::LeftButton);
        EXPECT_FALSE(report.isVisible());
    }
    EXPECT_FALSE(main->isVisible());
}

// The service's windows are modal, owned as the driver asks, with the icon
// asked for; the error report is TfmDump.
TEST_F(DiagnosticsTest, TheQtServiceShowsModalWindows) {
    Open();
    QtUserInterface qt;
    const platform::ScopedUserInterface scope(&qt);
    struct Case {
        platform::MessageIcon icon;
        QMessageBox::Icon shown;
    };
    for (const Case& c : {Case{platform::MessageIcon::Error, QMessageBox::Critical},
                          Case{platform::MessageIcon::Information, QMessageBox::Information},
                          Case{platform::MessageIcon::Warning, QMessageBox::Warning},
                          Case{platform::MessageIcon::Plain, QMessageBox::NoIcon}}) {
        fwtest::ModalAnswers answers({[this, &c](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle().toStdString(), "Error");
            EXPECT_EQ(box->text().toStdString(), "Failed to load Outlook Contacts information.");
            EXPECT_EQ(box->icon(), c.shown);
            EXPECT_EQ(box->parentWidget(), main.get());
            QTest::keyClick(box, Qt::Key_Return);
        }});
        platform::CurrentUserInterface().MessageBox(HandleOf(main.get()),
                                                    "Failed to load Outlook Contacts information.", "Error", c.icon);
        EXPECT_EQ(answers.Answered(), 1);
    }
    fwtest::ModalAnswers answers({[this](QWidget* modal) {
        auto* report = qobject_cast<TfmDump*>(modal);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->parentWidget(), main.get());
        EXPECT_EQ(report->logFiles->edtFile->text().toStdString(), "/x/appdebug.log");
        QTest::keyClick(report, Qt::Key_Escape);
    }});
    platform::CurrentUserInterface().ShowErrorReport(HandleOf(main.get()), {"/x/", "/x/appdebug.log", ""});
    EXPECT_TRUE(main->isVisible());
}

// The wait window's thread asks for the main window back when it closes.
TEST_F(DiagnosticsTest, ActivateWindowFromAnotherThreadRaisesTheWindow) {
    Open();
    QtUserInterface qt;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    std::thread waitWindow([&qt, this] {
        qt.ActivateWindow(HandleOf(main->btnNext));
        qt.ActivateWindow(nullptr);
    });
    waitWindow.join();
    EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
}

TEST_F(DiagnosticsTest, AnEscapedExceptionIsShownThenReported) {
    Open();
    EXPECT_TRUE(RunGuarded([] { return true; }));
    EXPECT_FALSE(RunGuarded([]() -> bool { throw std::runtime_error("List index out of bounds (3)"); }));
    EXPECT_FALSE(RunGuarded([]() -> bool { throw 42; }));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Error: List index out of bounds (3)",
                                                    "Error: An unknown exception occurred."}));
    const auto calls = ui.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].kind, Kind::ErrorReport);
    EXPECT_EQ(calls[0].owner, HandleOf(main.get()));
    EXPECT_EQ(calls[1].owner, HandleOf(main.get()));
    EXPECT_EQ(calls[1].report.logFile, CxDebugUtil::Instance().GetLogPath());
    EXPECT_NE(fwtest::ReadFile(CxDebugUtil::Instance().GetLogPath()).find("List index out of bounds (3)"),
              std::string::npos);
}

// An exception while the report of an earlier one shows is logged only.
TEST_F(DiagnosticsTest, AnExceptionDuringTheReportIsNotReportedAgain) {
    struct Nested : platform::RecordingUserInterface {
        void MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                        platform::MessageIcon icon) override {
            RecordingUserInterface::MessageBox(owner, text, caption, icon);
            RunGuarded([]() -> bool { throw std::runtime_error("second"); });
        }
    } nested;
    const platform::ScopedUserInterface scope(&nested);
    EXPECT_FALSE(RunGuarded([]() -> bool { throw std::runtime_error("first"); }));
    const auto calls = nested.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "first");
    EXPECT_EQ(calls[1].kind, Kind::ErrorReport);
    EXPECT_NE(fwtest::ReadFile(CxDebugUtil::Instance().GetLogPath()).find("second"), std::string::npos);
}

// A migration that throws, in the wizard: the report owned by the main
// window, and its Quit ends the wizard.
TEST_F(DiagnosticsTest, AThrowingMigrationReportsAndQuitClosesTheWizard) {
    Open();
    fwtest::Plans().clear();
    fwtest::RegisterFakes<kAppPalm>();
    fwtest::RegisterFakes<kAppOutlook>();
    fwtest::Plans()[{kAppPalm, CommKindAddr}].records = {"Ann=1"};
    fwtest::Plans()[{kAppOutlook, CommKindAddr}].throwOnMigrate = true;
    AppSettings().SyncAddr = 1;
    AppSettings().SyncDate = AppSettings().SyncTask = AppSettings().SyncNote = 0;
    ASSERT_TRUE(LoadApplications(HandleOf(main.get()), kAppPalm, kAppOutlook));
    GetAdapterTable().SelectedAddr()->Add(fwtest::ListOf<CommAddrMgr>(kAppPalm, CommKindAddr)->GetFirstRecord());

    QtUserInterface qt;
    const platform::ScopedUserInterface scope(&qt);
    fwtest::ModalAnswers answers({[this](QWidget* modal) {
        auto* report = qobject_cast<TfmDump*>(modal);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->parentWidget(), main.get());
        QTest::mouseClick(report->btnQuit, Qt::LeftButton);
    }});
    EXPECT_FALSE(MigrateApplication(HandleOf(main.get()), kAppOutlook));
    EXPECT_EQ(answers.Answered(), 1);
    EXPECT_FALSE(main->isVisible());
    fwtest::Plans().clear();
}

}  // namespace
