#include "common/bridge/CxHelperRunner.h"

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/text/TextCopy.h"

CxHelperRunner::CxHelperRunner() {
    m_helperName[0] = m_folder[0] = m_paramFileName[0] = m_dataFileName[0] = '\0';
}

CxHelperRunner::~CxHelperRunner() {
    if (m_paramFileName[0] != '\0') std::remove((std::string(m_folder) + m_paramFileName).c_str());
    if (m_dataFileName[0] != '\0') std::remove((std::string(m_folder) + m_dataFileName).c_str());
}

void CxHelperRunner::SetHelperName(const char* name) { platform::CopyText(m_helperName, name); }
void CxHelperRunner::SetFolder(const char* folder) { platform::CopyText(m_folder, folder); }
void CxHelperRunner::SetParamFileName(const char* name) { platform::CopyText(m_paramFileName, name); }
void CxHelperRunner::SetDataFileName(const char* name) { platform::CopyText(m_dataFileName, name); }

std::string CxHelperRunner::HelperDirectory_() { return std::string(); }

std::string CxHelperRunner::GetCommandLine() const {
    return "\"" + std::string(m_helperName) + "\" \"" + m_folder + m_paramFileName + "\"";
}

bool CxHelperRunner::Run() {
    std::vector<char> cwd(260, '\0');
    if (::getcwd(cwd.data(), cwd.size() - 1) == nullptr) cwd[0] = '\0';
    CX_LOG(kLogDetail, "Original current directory: %s", cwd.data());
    // The helper is found in, and runs in, the program's own folder; this
    // process keeps its own current directory.
    const std::string programFolder = platform::ProgramFolder();
    CX_LOG(kLogDetail, "Set current directory: %s", programFolder.c_str());
    std::string directory = HelperDirectory_();
    if (directory.empty()) directory = programFolder;

    const std::string commandLine = GetCommandLine();
    CX_LOG(kLogDetail, "Executing command: %s", commandLine.c_str());
    m_startError.clear();
    platform::ChildProcess child;
    if (!child.Start(commandLine, directory, programFolder)) {
        m_startError = child.ErrorText();
        CX_LOG(kLogCritical, "CreateProcess Error: %s", m_startError.c_str());
        return false;
    }
    CX_LOG(kLogDetail, "Command executed successfully.");
    switch (child.Wait(m_waitLimit)) {
    case platform::WaitResult::Exited:
        CX_LOG(kLogDetail, "Helper utility program exited successfully.");
        break;
    case platform::WaitResult::TimedOut:
        CX_LOG(kLogDetail, "The helper utility program has no response. Got timeout event.");
        break;
    case platform::WaitResult::Failed:
        CX_LOG(kLogCritical, "Got unexpected error, return code=%d", child.LastError());
        break;
    }
    child.Release();
    return true;
}

std::map<std::string, std::unique_ptr<CxHelperRunner>>& CxHelperRunners::Slots() {
    static std::map<std::string, std::unique_ptr<CxHelperRunner>> slots;
    return slots;
}

CxHelperRunner* CxHelperRunners::Find(const char* helperName) {
    auto it = Slots().find(helperName ? helperName : "");
    return it == Slots().end() ? nullptr : it->second.get();
}

void CxHelperRunners::DestroyAll() { Slots().clear(); }
