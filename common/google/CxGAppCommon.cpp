#include "common/google/CxGAppCommon.h"

#include "platform/text/TextCopy.h"

CxGAppBaseUtil::CxGAppBaseUtil(CxHelperKindId kind) : CxHelperBridge(kind) { m_email[0] = m_password[0] = '\0'; }

void CxGAppBaseUtil::SetEmail(const char* email) { platform::CopyText(m_email, email); }
void CxGAppBaseUtil::SetPassword(const char* password) { platform::CopyText(m_password, password); }

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
}

CxHelperRunner& CxGAppBaseUtil::Runner_() { return CxHelperRunners::For<CxGAppDataReader>(GetHelperKind().helper); }

void CxGAppBaseUtil::ClearFiles_() {
    DeleteExchangeFile_(GetStatusFileName());
    DeleteExchangeFile_(GetErrorFileName());
    if (GetHelperKind().kind == CommKindDate) DeleteExchangeFile_(kGoogleCalendarsFile);
}
