#pragma once
// Option page tests: the driver's fixture with a Wine prefix holding drive
// C:, registry files written by the test, and the page's controls found by
// their names.
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/support/WineRegistry.h"
#include "tests/wizard/WizardFixture.h"

namespace fwtest {

// The control of a page by its object name; fails the test when missing.
template <class W>
W* Control(QWidget& page, const char* name) {
    W* w = page.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << "no control " << name;
    return w;
}

class OptionPageFixture : public WizardFixture {
protected:
    OptionPageFixture() {
        for (const char* folder : {"wine", "wine/dosdevices", "wine/drive_c"})
            platform::EnsureFolder(dir.Path() + folder);
        EXPECT_EQ(::symlink("../drive_c", (dir.Path() + "wine/dosdevices/c:").c_str()), 0);
        Settings& s = AppSettings();
        s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    }

    // The local machine's and the current user's registry.
    void Registry(const std::string& machine, const std::string& user = std::string()) {
        WriteWineRegistry(dir.Path() + "wine/", machine, user);
    }
    // A path on drive C: ("Notes/notes.exe") as this system sees it.
    std::string OnC(const std::string& path) const { return dir.Path() + "wine/dosdevices/c:/" + path; }
    // Makes a file on drive C: with its folders.
    void FileOnC(const std::string& path, const std::string& content = "x") {
        const std::string full = dir.Path() + "wine/drive_c/" + path;
        platform::EnsureFolderTree(full.substr(0, full.rfind('/')));
        WriteFile(full, content);
    }

    // Presses a button as the user does.
    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The icons of the message boxes shown so far.
    std::vector<platform::MessageIcon> Icons() const {
        std::vector<platform::MessageIcon> out;
        for (const auto& call : ui.Calls(platform::RecordingUserInterface::Kind::MessageBox)) out.push_back(call.icon);
        return out;
    }
    // Shows the page in an active window, so that focus can be checked.
    static void Show(QWidget& page) {
        page.show();
        QApplication::setActiveWindow(&page);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
    }
};

}  // namespace fwtest
