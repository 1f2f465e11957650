#pragma once
// The wizard's main window on the offscreen platform, shown and active, over
// settings saved beforehand (the window reads them when it opens).
#include <QAbstractButton>
#include <QPushButton>
#include <QTest>
#include <array>
#include <memory>

#include "app/wizard/TfmMain.h"
#include "tests/wizard/ScriptedPage.h"
#include "tests/wizard/WizardFixture.h"

namespace fwtest {

// Clicks a radio button or check box on its indicator (a layout may stretch
// the button far beyond its text, where a click does nothing).
// Presses a mnemonic or shortcut key. A button pressed by its key clicks
// itself a moment later (it shows itself pressed first): wait for that.
inline void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::AltModifier) {
    QTest::keyClick(widget, key, modifiers);
    QTest::qWait(150);
}

inline void ClickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
}

class MainWindowFixture : public WizardFixture {
protected:
    // Saves the source and the kinds (contacts, calendar, tasks, notes) for
    // the next window to read.
    void SaveChoice(int source, std::array<int, 4> kinds) {
        Settings& s = AppSettings();
        s.SourceApp = source;
        s.SyncAddr = kinds[0];
        s.SyncDate = kinds[1];
        s.SyncTask = kinds[2];
        s.SyncNote = kinds[3];
        ASSERT_TRUE(WriteSettings(s, GetSettingsFilePath()));
    }

    // Opens the window (scripted option and review pages unless told
    // otherwise), shown and active so that its keys work.
    TfmMain& Open(const TfmMain::PageFactory& factory = ScriptedPages()) {
        main = std::make_unique<TfmMain>(nullptr, factory);
        main->show();
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        return *main;
    }

    // A control of a page by object name.
    template <class W>
    W* Find(TfmMain::PageId page, const char* name) {
        W* widget = main->Page(page)->template findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Presses Next, which must be enabled.
    void Next() {
        ASSERT_TRUE(main->btnNext->isEnabled()) << "step " << main->Step();
        QTest::mouseClick(main->btnNext, Qt::LeftButton);
    }

    std::unique_ptr<TfmMain> main;
};

}  // namespace fwtest
