#pragma once
// The ACT! side of the helper exchange: the base of the ACT! bridges
// (database, user name, password, and the opportunity switches of the todo
// bridge), the parameter writer and the runner of the ACT! helpers.
#include "common/bridge/CxHelperBridge.h"
#include "common/bridge/CxHelperRunner.h"
#include "common/bridge/CxParamWriter.h"

class CxACTParamParser : public CxParamWriter {
public:
    using CxParamWriter::CxParamWriter;
};

class CxACTDataReader : public CxHelperRunner {};

class CxACTBaseUtil : public CxHelperBridge {
public:
    // Deletes the status and error files of its kind.
    ~CxACTBaseUtil() override;

    // Each copies at most 255 characters.
    void SetPadName(const char* padName);
    void SetUserName(const char* userName);
    void SetPassword(const char* password);
    // Todos and opportunities only: load the opportunities, and their notes.
    void SetOpp(bool on) { m_opp = on; }
    void SetOppNotes(bool on) { m_oppNotes = on; }
    const char* GetPadName() const { return m_padName; }
    const char* GetUserName() const { return m_userName; }
    const char* GetPassword() const { return m_password; }
    // The Act! Web API's base address (empty: the server the database file
    // names) and the database to log in to (empty: the one the database
    // file names). Each copies at most 259 characters.
    void SetWebAPIURL(const char* url);
    void SetDatabaseName(const char* name);
    const char* GetWebAPIURL() const { return m_webAPIURL; }
    const char* GetDatabaseName() const { return m_databaseName; }
    bool GetOpp() const { return m_opp; }
    bool GetOppNotes() const { return m_oppNotes; }

protected:
    explicit CxACTBaseUtil(CxHelperKindId kind);

    // Database, user name, password, data file, folder, operation, error
    // file, status file (ids 1000 to 1007); for todos the two opportunity
    // switches (1008, 1009); log folder, log file, level, debug flag (1012
    // to 1015); the Web API address and the database name (1016, 1017).
    void BuildParams_(CxParamWriter& params) const override;
    CxHelperRunner& Runner_() override;

private:
    char m_padName[kTextCapacity];
    char m_userName[kTextCapacity];
    char m_password[kTextCapacity];
    static constexpr std::size_t kPathCapacity = 260;  // 259 characters
    char m_webAPIURL[kPathCapacity];
    char m_databaseName[kPathCapacity];
    bool m_opp = true;
    bool m_oppNotes = true;
};
