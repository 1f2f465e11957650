#include "common/bridge/CxHelperBridge.h"

#include <cstdio>

#include "common/bridge/CxHelperRunner.h"
#include "common/bridge/CxParamWriter.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFile.h"
#include "common/misc/CxIniUtil.h"
#include "platform/text/TextCopy.h"

CxHelperBridge::CxHelperBridge(CxHelperKindId kind)
    : m_helper(::GetHelperKind(kind)), m_waitLimit(CxHelperRunner::kWaitLimit) {
    m_errorText[0] = m_folder[0] = m_logFolder[0] = '\0';
    platform::CopyText(m_dataFileName, m_helper.dataFile);
    platform::CopyText(m_paramFileName, m_helper.paramFile);
    platform::CopyText(m_errorFileName, m_helper.errorFile);
    platform::CopyText(m_statusFileName, m_helper.statusFile);
    platform::CopyText(m_controlFileName, m_helper.controlFile);
    platform::CopyText(m_logFileName, kHelperLogFileName);
}

CxHelperBridge::~CxHelperBridge() { RequestStop_(); }

void CxHelperBridge::SetFolder(const char* folder) { platform::CopyText(m_folder, folder); }
void CxHelperBridge::SetDataFileName(const char* name) { platform::CopyText(m_dataFileName, name); }
void CxHelperBridge::SetParamFileName(const char* name) { platform::CopyText(m_paramFileName, name); }
void CxHelperBridge::SetErrorFileName(const char* name) { platform::CopyText(m_errorFileName, name); }
void CxHelperBridge::SetStatusFileName(const char* name) { platform::CopyText(m_statusFileName, name); }
void CxHelperBridge::SetControlFileName(const char* name) { platform::CopyText(m_controlFileName, name); }
void CxHelperBridge::SetLogFolder(const char* folder) { platform::CopyText(m_logFolder, folder); }
void CxHelperBridge::SetLogFileName(const char* name) { platform::CopyText(m_logFileName, name); }

std::string CxHelperBridge::ExchangePath_(const char* fileName) const {
    return std::string(m_folder) + (fileName ? fileName : "");
}

void CxHelperBridge::DeleteExchangeFile_(const char* fileName) const {
    if (fileName != nullptr && *fileName != '\0') std::remove(ExchangePath_(fileName).c_str());
}

void CxHelperBridge::SetError_(const char* text) {
    m_hasError = true;
    platform::CopyText(m_errorText, text);
}

std::string CxHelperBridge::Decimal(std::int32_t value) { return std::to_string(value); }

void CxHelperBridge::ClearError_() {
    m_hasError = false;
    m_errorText[0] = '\0';
}

bool CxHelperBridge::InvokeHelper_() {
    m_operation = 1;
    ClearError_();
    char text[kErrorCapacity];
    CxHelperRunner& runner = Runner_();
    // The helper of an earlier load may still be working on these files.
    if (runner.IsStillRunning()) {
        std::snprintf(text, sizeof text,
                      "The helper program %s is still running from an earlier load; try again when it has stopped.",
                      m_helper.helper);
        CX_LOG(kLogCritical, "%s", text);
        SetError_(text);
        return false;
    }

    CxParamWriter params;
    BuildParams_(params);
    const std::string paramPath = ExchangePath_(m_paramFileName);
    if (!params.WriteToFile(paramPath.c_str())) {
        // A helper started now would read what an earlier run left there.
        CX_LOG(kLogCritical, "Cannot write the parameter file: %s", paramPath.c_str());
        std::snprintf(text, sizeof text, "Cannot write the parameter file: %s", paramPath.c_str());
        SetError_(text);
        return false;
    }

    // Whatever an earlier run left must not be taken for this run's result.
    DeleteExchangeFile_(m_dataFileName);
    DeleteExchangeFile_(m_errorFileName);

    runner.SetHelperName(m_helper.helper);
    runner.SetFolder(m_folder);
    runner.SetParamFileName(m_paramFileName);
    runner.SetDataFileName(m_dataFileName);
    runner.SetControlFileName(m_controlFileName);
    runner.SetWaitLimit(m_waitLimit);
    if (!runner.Run()) {
        std::snprintf(text, sizeof text, "The helper program %s could not be started: %s", m_helper.helper,
                      runner.GetStartError().c_str());
        SetError_(text);
        return false;
    }
    if (runner.TimedOut()) {
        // What it may leave later is not this load's result.
        std::snprintf(text, sizeof text, "The helper program %s did not end in time and was asked to stop.",
                      m_helper.helper);
        SetError_(text);
        return false;
    }
    ReadErrorFile_();
    return true;
}

void CxHelperBridge::ReadErrorFile_() {
    CxIniUtil ini(m_folder, m_errorFileName);
    const int count = ini.GetInt("Error", "Error.Count", 0);
    if (count > 0) {
        char key[32];
        std::snprintf(key, sizeof key, "Error.%d", count);
        ini.ReadString("Error", key, m_errorText, sizeof m_errorText, "");
        m_hasError = true;
    } else {
        ClearError_();
    }
}

void CxHelperBridge::RequestStop_() {
    if (m_controlFileName[0] == '\0') return;
    CxIniUtil ini(m_folder, m_controlFileName);
    if (ini.GetInt("Status", "Running", 0) != 0) ini.WriteString("Status", "Stop", "1");
}

bool CxHelperBridge::OpenDataFile_(CxFile& file, const char* openFailure) {
    const std::string path = ExchangePath_(m_dataFileName);
    if (file.Open(path.c_str(), "rb")) return true;
    CX_LOG(kLogCritical, openFailure, path.c_str());
    if (!m_hasError) {
        char text[kErrorCapacity];
        std::snprintf(text, sizeof text, "The helper program %s left no data file: %s", m_helper.helper, path.c_str());
        SetError_(text);
    }
    return false;
}

void CxHelperBridge::DataFileCut_(std::int32_t complete, std::int32_t count) {
    const std::string path = ExchangePath_(m_dataFileName);
    char text[kErrorCapacity];
    if (count < 0)
        std::snprintf(text, sizeof text, "The data file %s is empty: it holds no record count.", path.c_str());
    else
        std::snprintf(text, sizeof text, "The data file %s ends after %d of its %d records.", path.c_str(),
                      static_cast<int>(complete), static_cast<int>(count));
    CX_LOG(kLogCritical, "%s", text);
    SetError_(text);
}
