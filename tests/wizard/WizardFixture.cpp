#include "tests/wizard/WizardFixture.h"

#include <filesystem>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmUsers.h"
#include "platform/paths/Paths.h"

namespace fwtest {

QString ScriptedServices::GetOpenFileName(QWidget*, const OpenFileRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return QString();
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedServices::GetExistingFolder(QWidget* owner, const QString& title, const QString& start) {
    return GetOpenFileName(owner, OpenFileRequest{title, {}, start});
}

bool ScriptedServices::OpenWithSystem(const QString& pathOrUrl) {
    opened.push_back(pathOrUrl);
    return true;
}

WizardFixture::WizardFixture() {
    platform::EnsureFolder(dir.Path() + "home");
    platform::EnsureFolder(dir.Path() + "program");
    PmSetProgramFolder(dir.Path() + "program/");
    PmResetPalmUsers();
    PmAddrInfo::ForgetInstalledAddrGeneration();
    SetWaitPause(0);
    SetWizardServices(&services);
    InitApplication();
}

WizardFixture::~WizardFixture() {
    ExitApplication();
    SetWizardServices(nullptr);
    PmResetPalmUsers();
    PmAddrInfo::ForgetInstalledAddrGeneration();
    PmSetProgramFolder("");
    CxDebugUtil::Instance().SetFolder("./");
}

std::size_t WizardFixture::StoreFiles(const char* folder) const {
    std::size_t n = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path() + "store/" + folder, ec))
        n += entry.path().filename().string()[0] != '.';
    return n;
}

std::vector<bool> WizardFixture::Checks(QTreeWidget* list) {
    std::vector<bool> out;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        out.push_back(list->topLevelItem(row)->checkState(0) == Qt::Checked);
    return out;
}

std::vector<std::string> WizardFixture::Messages() const {
    std::vector<std::string> out;
    for (const auto& call : ui.Calls(platform::RecordingUserInterface::Kind::MessageBox))
        out.push_back(call.caption + ": " + call.text);
    return out;
}

}  // namespace fwtest
