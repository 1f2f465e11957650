// The source page: what it shows for each stored choice, the Google rule,
// and what it stores on Next.
#include <QCheckBox>
#include <QRadioButton>

#include "app/wizard/TfmSource.h"
#include "tests/wizard/MainWindowFixture.h"

namespace {

class TfmSourceTest : public fwtest::WizardFixture {
protected:
    TfmSource page{host};

    std::array<bool, 4> Checked() const {
        return {page.cbAddr->isChecked(), page.cbDate->isChecked(), page.cbTask->isChecked(), page.cbNote->isChecked()};
    }
    std::array<bool, 2> TaskNoteEnabled() const { return {page.cbTask->isEnabled(), page.cbNote->isEnabled()}; }
};

// Every stored source, known or not, with every kind on.
TEST_F(TfmSourceTest, PrepareShowsTheStoredChoice) {
    struct Case {
        int stored;
        QRadioButton* TfmSource::*radio;
        bool google;
    };
    const Case cases[] = {
        {0, &TfmSource::rbtnGG, true},          {kAppACT, &TfmSource::rbtnACT, false},
        {kAppGoogle, &TfmSource::rbtnGG, true}, {kAppOutlook, &TfmSource::rbtnGG, true},
        {kAppLotus, &TfmSource::rbtnLN, false}, {kAppPalm, &TfmSource::rbtnPD, false},
        {-7, &TfmSource::rbtnGG, true},         {kAppSugar, &TfmSource::rbtnGG, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Settings& s = AppSettings();
        s.SourceApp = c.stored;
        s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
        page.Prepare();
        EXPECT_TRUE((page.*c.radio)->isChecked());
        EXPECT_EQ(page.CheckedSource(), c.google ? kAppGoogle : c.stored);
        // Google never migrates tasks or notes.
        EXPECT_EQ(Checked(), (std::array<bool, 4>{true, true, !c.google, !c.google}));
        EXPECT_EQ(TaskNoteEnabled(), (std::array<bool, 2>{!c.google, !c.google}));
    }
}

TEST_F(TfmSourceTest, GoogleUnchecksTasksAndNotesAndOthersLeaveThemAlone) {
    Settings& s = AppSettings();
    s.SourceApp = kAppLotus;
    s.SyncAddr = 0;
    s.SyncDate = s.SyncTask = s.SyncNote = 1;
    page.Prepare();
    EXPECT_EQ(Checked(), (std::array<bool, 4>{false, true, true, true}));

    fwtest::ClickIndicator(page.rbtnGG);
    EXPECT_EQ(Checked(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(TaskNoteEnabled(), (std::array<bool, 2>{false, false}));

    fwtest::ClickIndicator(page.rbtnLN);  // enabled again, still unchecked
    EXPECT_EQ(Checked(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(TaskNoteEnabled(), (std::array<bool, 2>{true, true}));

    page.cbNote->setChecked(true);
    fwtest::ClickIndicator(page.rbtnACT);  // from one non-Google source to another: kept
    fwtest::ClickIndicator(page.rbtnPD);
    EXPECT_EQ(Checked(), (std::array<bool, 4>{false, true, false, true}));
}

TEST_F(TfmSourceTest, CommitStoresTheChoiceAndTheStepCount) {
    struct Case {
        QRadioButton* TfmSource::*radio;
        int source;
        int steps;
    };
    for (const Case& c : {Case{&TfmSource::rbtnACT, kAppACT, 5}, Case{&TfmSource::rbtnGG, kAppGoogle, 5},
                          Case{&TfmSource::rbtnLN, kAppLotus, 6}, Case{&TfmSource::rbtnPD, kAppPalm, 5}}) {
        SCOPED_TRACE(c.source);
        page.Prepare();
        fwtest::ClickIndicator(page.*c.radio);
        page.cbAddr->setChecked(false);
        page.cbDate->setChecked(true);
        ASSERT_TRUE(page.Commit());
        const Settings& s = AppSettings();
        EXPECT_EQ(s.SourceApp, c.source);
        EXPECT_EQ(s.SyncAddr, 0);
        EXPECT_EQ(s.SyncDate, 1);
        EXPECT_EQ(host.stepCount, c.steps);
    }
    EXPECT_TRUE(Messages().empty());
}

// No kind: the message, owned by the page; the choice is stored anyway and
// the step count is left alone.
TEST_F(TfmSourceTest, CommitWithoutAKindSaysSoAndStaysPut) {
    Settings& s = AppSettings();
    s.SourceApp = kAppPalm;
    s.SyncAddr = 1;
    s.SyncDate = s.SyncTask = s.SyncNote = 0;
    page.Prepare();
    page.cbAddr->setChecked(false);
    fwtest::ClickIndicator(page.rbtnLN);
    host.stepCount = 0;
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Please migrate at least one type of application data."});
    const auto calls = ui.Calls(platform::RecordingUserInterface::Kind::MessageBox);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, static_cast<void*>(&page));
    EXPECT_EQ(calls[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(s.SourceApp, kAppLotus);
    EXPECT_EQ(s.SyncAddr, 0);
    EXPECT_EQ(host.stepCount, 0);
}

}  // namespace
