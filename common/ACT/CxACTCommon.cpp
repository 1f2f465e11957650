#include "common/ACT/CxACTCommon.h"

#include "platform/text/TextCopy.h"

CxACTBaseUtil::CxACTBaseUtil(CxHelperKindId kind) : CxHelperBridge(kind) {
    m_padName[0] = m_userName[0] = m_password[0] = m_webAPIURL[0] = m_databaseName[0] = '\0';
}

CxACTBaseUtil::~CxACTBaseUtil() {
    DeleteExchangeFile_(GetStatusFileName());
    DeleteExchangeFile_(GetErrorFileName());
}

void CxACTBaseUtil::SetPadName(const char* padName) { platform::CopyText(m_padName, padName); }
void CxACTBaseUtil::SetUserName(const char* userName) { platform::CopyText(m_userName, userName); }
void CxACTBaseUtil::SetPassword(const char* password) { platform::CopyText(m_password, password); }
void CxACTBaseUtil::SetWebAPIURL(const char* url) { platform::CopyText(m_webAPIURL, url); }
void CxACTBaseUtil::SetDatabaseName(const char* name) { platform::CopyText(m_databaseName, name); }

void CxACTBaseUtil::BuildParams_(CxParamWriter& p) const {
    p.SetParam(1000, kParamTypeText, m_padName);
    p.SetParam(1001, kParamTypeText, m_userName);
    p.SetParam(1002, kParamTypeText, m_password);
    p.SetParam(1003, kParamTypeText, GetDataFileName());
    p.SetParam(1004, kParamTypeText, GetFolder());
    p.SetParam(1005, kParamTypeText, Decimal(GetOperation()).c_str());
    p.SetParam(1006, kParamTypeText, GetErrorFileName());
    p.SetParam(1007, kParamTypeText, GetStatusFileName());
    if (GetHelperKind().kind == CommKindTask) {
        p.SetParam(1008, kParamTypeText, m_opp ? "1" : "0");
        p.SetParam(1009, kParamTypeText, m_oppNotes ? "1" : "0");
    }
    p.SetParam(1012, kParamTypeText, GetLogFolder());
    p.SetParam(1013, kParamTypeText, GetLogFileName());
    p.SetParam(1014, kParamTypeText, Decimal(GetLogLevel()).c_str());
    p.SetParam(1015, kParamTypeText, GetDebug() ? "1" : "0");
    p.SetParam(1016, kParamTypeText, m_webAPIURL);
    p.SetParam(1017, kParamTypeText, m_databaseName);
}

CxHelperRunner& CxACTBaseUtil::Runner_() { return CxHelperRunners::For<CxACTDataReader>(GetHelperKind().helper); }
