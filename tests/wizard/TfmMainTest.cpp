// The main window: its panels and pages, the page sequence of every source,
// the navigation buttons in every state, the keyboard, Help, and the driver
// started and ended with the window.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <vector>

#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmDebug.h"
#include "app/wizard/TfmFinish.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/TfmSource.h"
#include "platform/paths/Paths.h"
#include "tests/wizard/MainWindowFixture.h"
#include "tests/wizard/ModalAnswers.h"

namespace {

using fwtest::Scripted;
using Main = TfmMain;

class TfmMainTest : public fwtest::MainWindowFixture {
protected:
    TfmSource& Source() { return *qobject_cast<TfmSource*>(main->Page(Main::PageSource)); }

    // The captions and enabled states of Prev, Next and Close.
    void ExpectButtons(const char* prev, bool prevOn, const char* next, bool nextOn, const char* close) {
        EXPECT_EQ(main->btnPrev->text().toStdString(), prev);
        EXPECT_EQ(main->btnPrev->isEnabled(), prevOn);
        EXPECT_EQ(main->btnNext->text().toStdString(), next);
        EXPECT_EQ(main->btnNext->isEnabled(), nextOn);
        EXPECT_EQ(main->btnClose->text().toStdString(), close);
    }

    std::vector<std::string> TabChain(QWidget* from) {
        from->setFocus();
        std::vector<std::string> chain{from->objectName().toStdString()};
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == from) break;
            chain.push_back(now->objectName().toStdString());
        }
        return chain;
    }
};

TEST_F(TfmMainTest, OpensOnTheSourcePageWithEveryPageInTheClientPanel) {
    SaveChoice(kAppPalm, {1, 0, 0, 0});
    Open(nullptr);
    EXPECT_EQ(main->windowTitle().toStdString(), "Ferrywise for Outlook");
    EXPECT_EQ(main->size(), QSize(794, 594));
    EXPECT_EQ(main->minimumSize(), main->maximumSize());  // not resizable
    EXPECT_EQ(main->pTop->geometry(), QRect(0, 0, 794, 100));
    EXPECT_EQ(main->pClient->geometry(), QRect(0, 100, 794, 404));
    EXPECT_EQ(main->pBottom->geometry(), QRect(0, 534, 794, 60));
    EXPECT_EQ(main->btnHelp->text().toStdString(), "Help");
    EXPECT_EQ(main->btnOption->text().toStdString(), "&Options");
    int visible = 0;
    for (int id = 0; id < Main::PageCount; ++id) {
        TfmPage* page = main->Page(static_cast<Main::PageId>(id));
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->parentWidget(), main->pClient);
        visible += page->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(visible, 1);
    EXPECT_EQ(main->CurrentPage(), main->Page(Main::PageSource));
    EXPECT_EQ(main->Step(), 0);
    ExpectButtons("< Prev", false, "Next >", true, "&Close");
    EXPECT_EQ(main->imgApp->App(), kAppPalm);
    EXPECT_TRUE(Messages().empty());
}

// Every source's sequence, forward to the finish page, Restart, and back to
// the source page with the choices kept.
TEST_F(TfmMainTest, EachSourceWalksItsOwnSequence) {
    struct Case {
        int source;
        std::vector<Main::PageId> pages;
    };
    const std::vector<Case> cases = {
        {kAppACT, {Main::PageSource, Main::PageOLOption, Main::PageACTOption, Main::PageACTData, Main::PageFinish}},
        {kAppGoogle, {Main::PageSource, Main::PageOLOption, Main::PageGGOption, Main::PageGGData, Main::PageFinish}},
        {kAppLotus,
         {Main::PageSource, Main::PageOLOption, Main::PageLNOption1, Main::PageLNOption2, Main::PageLNData,
          Main::PageFinish}},
        {kAppPalm, {Main::PageSource, Main::PageOLOption, Main::PagePDOption, Main::PagePDData, Main::PageFinish}},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        QAbstractButton* radio = c.source == kAppACT      ? Source().rbtnACT
                                 : c.source == kAppGoogle ? Source().rbtnGG
                                 : c.source == kAppLotus  ? Source().rbtnLN
                                                          : Source().rbtnPD;
        fwtest::ClickIndicator(radio);
        Source().cbAddr->setChecked(true);
        EXPECT_EQ(main->imgApp->App(), c.source);
        for (std::size_t step = 1; step < c.pages.size(); ++step) {
            QTest::mouseClick(main->btnNext, Qt::LeftButton);
            ASSERT_EQ(main->Step(), static_cast<int>(step));
            EXPECT_EQ(main->StepCount(), static_cast<int>(c.pages.size()));
            EXPECT_EQ(main->CurrentPage(), main->Page(c.pages[step]));
            if (step + 1 < c.pages.size()) ExpectButtons("< Prev", true, "Next >", true, "&Close");
        }
        ExpectButtons("Restart", true, "Next >", false, "Finish");
        main->GoNext();  // the last page goes nowhere
        EXPECT_EQ(main->Step(), static_cast<int>(c.pages.size()) - 1);

        QTest::mouseClick(main->btnPrev, Qt::LeftButton);  // Restart
        EXPECT_EQ(main->Step(), 0);
        EXPECT_EQ(main->CurrentPage(), main->Page(Main::PageSource));
        ExpectButtons("< Prev", false, "Next >", true, "&Close");
        EXPECT_TRUE(radio->isChecked());
        EXPECT_TRUE(Source().cbAddr->isChecked());
    }
    // The Outlook review page belongs to no sequence.
    EXPECT_EQ(Scripted(*main, Main::PageOLData)->prepares + Scripted(*main, Main::PageOLData)->commits, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TfmMainTest, PagesArePreparedOnTheWayInAndNotOnTheWayBack) {
    SaveChoice(kAppPalm, {1, 1, 0, 0});
    Open();
    fwtest::ScriptedPage* outlook = Scripted(*main, Main::PageOLOption);
    fwtest::ScriptedPage* palm = Scripted(*main, Main::PagePDOption);
    fwtest::ScriptedPage* review = Scripted(*main, Main::PagePDData);
    main->GoNext();
    main->GoNext();
    main->GoNext();  // on the review page
    EXPECT_EQ(outlook->prepares, 1);
    EXPECT_EQ(palm->prepares, 1);
    EXPECT_EQ(review->prepares, 1);
    EXPECT_EQ(palm->commits, 1);  // the load

    main->GoBack();  // back to the Palm options: nothing is prepared
    EXPECT_EQ(main->Step(), 2);
    EXPECT_EQ(main->CurrentPage(), palm);
    EXPECT_EQ(palm->prepares, 1);
    EXPECT_EQ(review->prepares, 1);
    main->GoNext();  // forward again loads again
    EXPECT_EQ(palm->commits, 2);
    EXPECT_EQ(review->prepares, 2);
    EXPECT_EQ(main->CurrentPage(), review);
    // Other sources' pages are never touched.
    EXPECT_EQ(Scripted(*main, Main::PageGGOption)->prepares + Scripted(*main, Main::PageGGOption)->commits, 0);
}

TEST_F(TfmMainTest, AFailedCommitKeepsThePageAndNextRepeatsIt) {
    SaveChoice(kAppLotus, {0, 0, 0, 0});
    Open();
    // No kind on the source page: its message, and the step stays.
    QTest::mouseClick(main->btnNext, Qt::LeftButton);
    EXPECT_EQ(main->Step(), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Please migrate at least one type of application data."});
    EXPECT_EQ(Scripted(*main, Main::PageOLOption)->prepares, 0);

    Source().cbNote->setChecked(true);
    fwtest::ScriptedPage* second = Scripted(*main, Main::PageLNOption2);
    second->commitResult = false;  // a load that fails
    for (int i = 0; i < 3; ++i) main->GoNext();
    ASSERT_EQ(main->Step(), 3);
    EXPECT_EQ(main->StepCount(), 6);
    main->GoNext();
    main->GoNext();
    EXPECT_EQ(main->Step(), 3);
    EXPECT_EQ(second->commits, 2);
    EXPECT_EQ(Scripted(*main, Main::PageLNData)->prepares, 0);
    ExpectButtons("< Prev", true, "Next >", true, "&Close");
    second->commitResult = true;
    main->GoNext();
    EXPECT_EQ(main->CurrentPage(), main->Page(Main::PageLNData));
}

TEST_F(TfmMainTest, TheFinishPageRestartsTheWizard) {
    SaveChoice(kAppGoogle, {1, 0, 0, 0});
    Open();
    for (int i = 0; i < 4; ++i) main->GoNext();
    auto* finish = qobject_cast<TfmFinish*>(main->CurrentPage());
    ASSERT_NE(finish, nullptr);
    QTest::mouseClick(finish->btnBack, Qt::LeftButton);
    EXPECT_EQ(main->Step(), 0);
    ExpectButtons("< Prev", false, "Next >", true, "&Close");
}

// Alt+N and Enter go forward, Alt+P back, Escape does nothing, Alt+O opens
// the options owned by the window, Alt+C closes it.
TEST_F(TfmMainTest, TheKeyboardDrivesTheButtons) {
    SaveChoice(kAppPalm, {1, 0, 0, 0});
    Open();
    fwtest::PressKey(main.get(), Qt::Key_N);
    EXPECT_EQ(main->Step(), 1);
    fwtest::PressKey(main.get(), Qt::Key_P);
    EXPECT_EQ(main->Step(), 0);
    fwtest::PressKey(main.get(), Qt::Key_P);  // disabled on the source page
    EXPECT_EQ(main->Step(), 0);
    Source().cbAddr->setFocus();
    QTest::keyClick(Source().cbAddr, Qt::Key_Return);
    EXPECT_EQ(main->Step(), 1);
    QTest::keyClick(main.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(main->Step(), 2);
    main->btnPrev->setFocus();
    QTest::keyClick(main->btnPrev, Qt::Key_Return);  // Enter presses the focused button
    EXPECT_EQ(main->Step(), 1);
    QTest::keyClick(main.get(), Qt::Key_Escape);
    EXPECT_EQ(main->Step(), 1);
    EXPECT_TRUE(main->isVisible());
    for (int i = 0; i < 3; ++i) fwtest::PressKey(main.get(), Qt::Key_N);
    ASSERT_EQ(main->Step(), 4);
    fwtest::PressKey(main.get(), Qt::Key_P);  // "Restart" keeps the key
    EXPECT_EQ(main->Step(), 0);

    {
        fwtest::ModalAnswers answers({[this](QWidget* modal) {
            EXPECT_NE(qobject_cast<TfmDebug*>(modal), nullptr);
            EXPECT_EQ(modal->parentWidget(), main.get());
            QTest::keyClick(modal, Qt::Key_Escape);
        }});
        fwtest::PressKey(main.get(), Qt::Key_O);
    }
    EXPECT_TRUE(main->isVisible());
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    fwtest::PressKey(main.get(), Qt::Key_C);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(TfmMainTest, TabFollowsTheReadingOrder) {
    SaveChoice(kAppLotus, {1, 1, 1, 1});
    Open();
    // The radio buttons are one stop, at the checked one; the arrow keys
    // move among them.
    const std::vector<std::string> expected = {"btnHelp", "rbtnLN",    "cbAddr",  "cbDate",  "cbTask",
                                               "cbNote",  "btnOption", "btnNext", "btnClose"};
    EXPECT_EQ(TabChain(main->btnHelp), expected);
    main->GoNext();
    main->GoNext();
    main->GoNext();
    main->GoNext();
    main->GoNext();
    ASSERT_EQ(main->Step(), 5);
    const std::vector<std::string> expectedFinish = {"btnHelp",   "btnLog",  "btnOL",   "btnBack",
                                                     "btnOption", "btnPrev", "btnClose"};
    EXPECT_EQ(TabChain(main->btnHelp), expectedFinish);
}

TEST_F(TfmMainTest, HelpAndTheProductNameOpenTheLocalHelpPage) {
    Open();
    const QString help = QString::fromStdString(platform::ProgramFolder()) + "help.html";
    QTest::mouseClick(main->btnHelp, Qt::LeftButton);
    QTest::mouseClick(main->imgText, Qt::LeftButton);
    fwtest::PressKey(main.get(), Qt::Key_F1, Qt::NoModifier);
    QTest::mouseClick(main->imgArrow, Qt::LeftButton);  // no address behind it
    EXPECT_EQ(services.opened, (std::vector<QString>{help, help, help}));
}

// The window reads the settings when it opens and writes them when it is
// destroyed.
TEST_F(TfmMainTest, TheWindowStartsAndEndsTheDriver) {
    SaveChoice(kAppACT, {0, 1, 0, 0});
    Open();
    EXPECT_TRUE(Source().rbtnACT->isChecked());
    fwtest::ClickIndicator(Source().rbtnLN);
    Source().cbTask->setChecked(true);
    main->GoNext();
    main.reset();
    auto saved = std::make_unique<Settings>();
    ReadSettings(*saved, GetSettingsFilePath());
    EXPECT_EQ(saved->SourceApp, kAppLotus);
    EXPECT_EQ(saved->SyncAddr, 0);
    EXPECT_EQ(saved->SyncDate, 1);
    EXPECT_EQ(saved->SyncTask, 1);
}

}  // namespace
