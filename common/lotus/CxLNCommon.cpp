#include "common/lotus/CxLNCommon.h"

#include "common/misc/CxDebugUtil.h"
#include "platform/registry/Registry.h"
#include "platform/text/TextCopy.h"

std::string CxLNDataReader::HelperDirectory_() {
    const std::string path =
        platform::RegistryReadPath(platform::RegistryRoot::LocalMachine, "SOFTWARE\\Lotus\\Notes", "Path")
            .value_or(std::string());
    CX_LOG(kLogDetail, "Get Lotus Notes Path: %s", path.c_str());
    return path;
}

CxLNBaseUtil::CxLNBaseUtil(CxHelperKindId kind) : CxHelperBridge(kind) { m_databaseName[0] = m_idFile[0] = '\0'; }

CxLNBaseUtil::~CxLNBaseUtil() {
    DeleteExchangeFile_(GetStatusFileName());
    DeleteExchangeFile_(GetErrorFileName());
}

void CxLNBaseUtil::SetDatabaseName(const char* name) { platform::CopyText(m_databaseName, name); }
void CxLNBaseUtil::SetIdFile(const char* path) { platform::CopyText(m_idFile, path); }

void CxLNBaseUtil::BuildParams_(CxParamWriter& p) const {
    p.SetParam(1000, kParamTypeText, "");
    p.SetParam(1001, kParamTypeText, "");
    p.SetParam(1002, kParamTypeText, "");
    p.SetParam(1003, kParamTypeText, GetDataFileName());
    p.SetParam(1004, kParamTypeText, GetFolder());
    p.SetParam(1005, kParamTypeText, Decimal(GetOperation()).c_str());
    p.SetParam(1006, kParamTypeText, GetErrorFileName());
    p.SetParam(1007, kParamTypeText, GetStatusFileName());
    p.SetParam(GetHelperKind().kind == CommKindAddr ? 1009 : 1008, kParamTypeText, m_databaseName);
    p.SetParam(1010, kParamTypeText, GetLogFolder());
    p.SetParam(1011, kParamTypeText, GetLogFileName());
    p.SetParam(1012, kParamTypeText, Decimal(GetLogLevel()).c_str());
    p.SetParam(1013, kParamTypeText, GetDebug() ? "1" : "0");
    p.SetParam(1014, kParamTypeText, m_idFile);
}

CxHelperRunner& CxLNBaseUtil::Runner_() { return CxHelperRunners::For<CxLNDataReader>(GetHelperKind().helper); }
