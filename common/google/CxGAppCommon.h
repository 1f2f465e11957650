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

    // Where the helpers read: an export (a Takeout archive or folder, a
    // .vcf, .ics or .csv file; empty reads the account online), the
    // CardDAV/CalDAV server, the OAuth client, and whether the helper keeps
    // the account's refresh token. Each copies at most 259 characters.
    void SetExportPath(const char* path);
    void SetServerURL(const char* url);
    void SetOAuthClientID(const char* id);
    void SetOAuthClientSecret(const char* secret);
    void SetSavePassword(bool save) { m_savePassword = save; }
    const char* GetExportPath() const { return m_exportPath; }
    const char* GetServerURL() const { return m_serverURL; }
    const char* GetOAuthClientID() const { return m_clientID; }
    const char* GetOAuthClientSecret() const { return m_clientSecret; }
    bool GetSavePassword() const { return m_savePassword; }

protected:
    explicit CxGAppBaseUtil(CxHelperKindId kind);

    // Contacts: e-mail, password, data file, folder, operation, an empty
    // text, error file, status file, log folder, log file, level, debug
    // flag (ids 1000 to 1005, 1004, 1009, 1010, 1013 to 1016). The calendar
    // adds two empty texts and the calendars file (1006 to 1008) after 1004.
    // Both end with the export path, server address, OAuth client id and
    // secret, the keep-the-token switch and the token file (1017 to 1022).
    void BuildParams_(CxParamWriter& params) const override;
    CxHelperRunner& Runner_() override;
    // The status and error files (and the calendar's calendars file).
    void ClearFiles_() override;

private:
    char m_email[kTextCapacity];
    char m_password[kTextCapacity];
    static constexpr std::size_t kPathCapacity = 260;  // 259 characters
    char m_exportPath[kPathCapacity];
    char m_serverURL[kPathCapacity];
    char m_clientID[kPathCapacity];
    char m_clientSecret[kPathCapacity];
    bool m_savePassword = false;
};

// The file in the exchange folder where the helpers keep the account's
// refresh token.
inline constexpr const char* kGoogleTokenFile = "GGToken.dat";
