#include "common/google/CxGAppCommon.h"

#include "platform/text/TextCopy.h"

CxGAppBaseUtil::CxGAppBaseUtil(CxHelperKindId kind) : CxHelperBridge(kind) {
    m_email[0] = m_password[0] = '\0';
    m_exportPath[0] = m_serverURL[0] = m_clientID[0] = m_clientSecret[0] = '\0';
}

void CxGAppBaseUtil::SetEmail(const char* email) { platform::CopyText(m_email, email); }
void CxGAppBaseUtil::SetPassword(const char* password) { platform::CopyText(m_password, password); }
void CxGAppBaseUtil::SetExportPath(const char* path) { platform::CopyText(m_exportPath, path); }
void CxGAppBaseUtil::SetServerURL(const char* url) { platform::CopyText(m_serverURL, url); }
void CxGAppBaseUtil::SetOAuthClientID(const char* id) { platform::CopyText(m_clientID, id); }
void CxGAppBaseUtil::SetOAuthClientSecret(const char* secret) { platform::CopyText(m_clientSecret, secret); }

void CxGAppBaseUtil::BuildParams_(CxParamWriter& p) const {
    p.SetParam(1000, kParamTypeText, m_email);
    p.SetParam(1001, kParamTypeText, m_password);
    p.SetParam(1002, kParamTypeText, GetDataFileName());
    p.SetParam(1003, kParamTypeText, GetFolder());
    p.SetParam(1005, kParamTypeText, Decimal(GetOperation()).c_str());
    p.SetParam(1004, kParamTypeText, "");
    if (GetHelperKind().kind == CommKindDate) {
        p.SetParam(1006, kParamTypeText, "");
        p.SetParam(1007, kParamTypeText, "");
        p.SetParam(1008, kParamTypeText, kGoogleCalendarsFile);
    }
    p.SetParam(1009, kParamTypeText, GetErrorFileName());
    p.SetParam(1010, kParamTypeText, GetStatusFileName());
    p.SetParam(1013, kParamTypeText, GetLogFolder());
    p.SetParam(1014, kParamTypeText, GetLogFileName());
    p.SetParam(1015, kParamTypeText, Decimal(GetLogLevel()).c_str());
    p.SetParam(1016, kParamTypeText, GetDebug() ? "1" : "0");
    p.SetParam(1017, kParamTypeText, m_exportPath);
    p.SetParam(1018, kParamTypeText, m_serverURL);
    p.SetParam(1019, kParamTypeText, m_clientID);
    p.SetParam(1020, kParamTypeText, m_clientSecret);
    p.SetParam(1021, kParamTypeText, m_savePassword ? "1" : "0");
    p.SetParam(1022, kParamTypeText, kGoogleTokenFile);
}

CxHelperRunner& CxGAppBaseUtil::Runner_() { return CxHelperRunners::For<CxGAppDataReader>(GetHelperKind().helper); }

void CxGAppBaseUtil::ClearFiles_() {
    DeleteExchangeFile_(GetStatusFileName());
    DeleteExchangeFile_(GetErrorFileName());
    if (GetHelperKind().kind == CommKindDate) DeleteExchangeFile_(kGoogleCalendarsFile);
}
