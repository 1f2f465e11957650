#pragma once
// The Google side of the helper exchange: the base of the Google bridges
// (account e-mail and password, the parameter tables of contacts and
// calendar), the parameter writer and the runner of the Google helpers.
#include "common/bridge/CxHelperBridge.h"
#include "common/bridge/CxHelperRunner.h"
#include "common/bridge/CxParamWriter.h"

class CxGAppParamParser : public CxParamWriter {
public:
    using CxParamWriter::CxParamWriter;
};

class CxGAppDataReader : public CxHelperRunner {};

class CxGAppBaseUtil : public CxHelperBridge {
public:
    // Each copies at most 255 characters.
    void SetEmail(const char* email);
    void SetPassword(const char* password);
    const char* GetEmail() const { return m_email; }
    const char* GetPassword() const { return m_password; }

protected:
    explicit CxGAppBaseUtil(CxHelperKindId kind);

    // Contacts: e-mail, password, data file, folder, operation, an empty
    // text, error file, status file, log folder, log file, level, debug
    // flag (ids 1000 to 1005, 1004, 1009, 1010, 1013 to 1016). The calendar
    // adds two empty texts and the calendars file (1006 to 1008) after 1004.
    void BuildParams_(CxParamWriter& params) const override;
    CxHelperRunner& Runner_() override;
    // The status and error files (and the calendar's calendars file).
    void ClearFiles_() override;

private:
    char m_email[kTextCapacity];
    char m_password[kTextCapacity];
};
