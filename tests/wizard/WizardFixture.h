#pragma once
// A driver started in a folder of its own, with every desktop service of the
// wizard replaced by a recording one: message boxes, the open-file dialog and
// the system's "open" action. Pages are built on a host that records what
// they ask of the main window.
#include <gtest/gtest.h>

#include <QString>
#include <QTreeWidget>
#include <cstddef>
#include <deque>
#include <vector>

#include "app/AppCommon.h"
#include "app/wizard/WizardHost.h"
#include "app/wizard/WizardServices.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/support/TempDir.h"

namespace fwtest {

// Answers open-file and folder dialogs from one queue (an empty answer or an empty
// queue cancels) and
// records every request and every "open".
class ScriptedServices : public WizardServices {
public:
    QString GetOpenFileName(QWidget* owner, const OpenFileRequest& request) override;
    QString GetExistingFolder(QWidget* owner, const QString& title, const QString& start) override;
    bool OpenWithSystem(const QString& pathOrUrl) override;

    std::deque<QString> answers;
    std::vector<OpenFileRequest> requests;  // folder dialogs too: title and start
    std::vector<QString> opened;
};

class RecordingHost : public WizardHost {
public:
    QWidget* OwnerWindow() override { return &window; }
    void SetStepCount(int count) override { stepCount = count; }
    void RestartWizard() override { ++restarts; }

    QWidget window;
    int stepCount = 0;
    int restarts = 0;
};

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture();
    ~WizardFixture() override;

    // The message boxes shown so far, as "caption: text".
    std::vector<std::string> Messages() const;
    // The item files in a folder of the Outlook store ("Contacts", ...).
    std::size_t StoreFiles(const char* folder) const;
    // The check marks of a list's rows, in row order.
    static std::vector<bool> Checks(QTreeWidget* list);

    TempDir dir;
    ScopedEnv home{"HOME", dir.Path() + "home"};
    ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    ScopedEnv store{"FRWY_OUTLOOK_STORE", dir.Path() + "store"};
    ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface uiScope{&ui};
    ScriptedServices services;
    RecordingHost host;
};

}  // namespace fwtest
