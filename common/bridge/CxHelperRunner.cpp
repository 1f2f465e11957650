#include "common/bridge/CxHelperRunner.h"

#include <cstdio>

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"
#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/text/TextCopy.h"

CxHelperRunner::CxHelperRunner() {
    m_helperName[0] = m_folder[0] = m_paramFileName[0] = m_dataFileName[0] = m_controlFileName[0] = '\0';
}

CxHelperRunner::~CxHelperRunner() {
    if (m_paramFileName[0] != '\0') std::remove((std::string(m_folder) + m_paramFileName).c_str());
    if (m_dataFileName[0] != '\0') std::remove((std::string(m_folder) + m_dataFileName).c_str());
}

void CxHelperRunner::SetHelperName(const char* name) { platform::CopyText(m_helperName, name); }
void CxHelperRunner::SetFolder(const char* folder) { platform::CopyText(m_folder, folder); }
void CxHelperRunner::SetParamFileName(const char* name) { platform::CopyText(m_paramFileName, name); }
void CxHelperRunner::SetDataFileName(const char* name) { platform::CopyText(m_dataFileName, name); }
void CxHelperRunner::SetControlFileName(const char* name) { platform::CopyText(m_controlFileName, name); }

bool CxHelperRunner::IsStillRunning() {
    if (m_overdue && m_overdue->Wait(0) != platform::WaitResult::TimedOut) m_overdue.reset();
    return m_overdue != nullptr;
}

std::string CxHelperRunner::HelperDirectory_() { return std::string(); }

std::string CxHelperRunner::GetCommandLine() const {
    return "\"" + std::string(m_helperName) + "\" \"" + m_folder + m_paramFileName + "\"";
}

bool CxHelperRunner::Run() {
    m_startError.clear();
    m_timedOut = false;
    if (IsStillRunning()) {
        m_startError = "it is still running from an earlier load";
        CX_LOG(kLogCritical, "The helper program %s is still running from an earlier load; it is not started again.",
               m_helperName);
        return false;
    }
    // The helper is found only in the program's own folder and runs there
    // (or in the folder its kind names); this process keeps its own current
    // directory.
    const std::string programFolder = platform::ProgramFolder();
    std::string directory = HelperDirectory_();
    if (directory.empty()) directory = programFolder;

    const std::string commandLine = GetCommandLine();
    CX_LOG(kLogDetail, "Executing command: %s", commandLine.c_str());
    auto child = std::make_unique<platform::ChildProcess>();
    if (!child->Start(commandLine, directory, programFolder)) {
        m_startError = child->ErrorText();
        CX_LOG(kLogCritical, "CreateProcess Error: %s", m_startError.c_str());
        return false;
    }
    CX_LOG(kLogDetail, "Command executed successfully.");
    CX_LOG(kLogDetail, "Helper program %s started in %s.", child->ProgramPath().c_str(), directory.c_str());
    switch (child->Wait(m_waitLimit)) {
    case platform::WaitResult::Exited: CX_LOG(kLogDetail, "Helper utility program exited successfully."); break;
    case platform::WaitResult::TimedOut:
        CX_LOG(kLogDetail, "The helper utility program has no response. Got timeout event.");
        m_timedOut = true;
        RequestStop_();
        m_overdue = std::move(child);
        return true;
    case platform::WaitResult::Failed:
        CX_LOG(kLogCritical, "Got unexpected error, return code=%d", child->LastError());
        break;
    }
    child->Release();
    return true;
}

void CxHelperRunner::RequestStop_() {
    if (m_controlFileName[0] == '\0') {
        CX_LOG(kLogCritical, "The helper program %s ran past its limit and has no control file to be stopped through.",
               m_helperName);
        return;
    }
    CxIniUtil ini(m_folder, m_controlFileName);
    if (ini.WriteString("Status", "Stop", "1"))
        CX_LOG(kLogCritical, "The helper program %s ran past its limit; it was asked to stop.", m_helperName);
    else
        CX_LOG(kLogCritical, "The helper program %s ran past its limit and could not be asked to stop: %s%s",
               m_helperName, m_folder, m_controlFileName);
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
