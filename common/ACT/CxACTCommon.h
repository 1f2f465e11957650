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

protected:
    explicit CxACTBaseUtil(CxHelperKindId kind);

    // Database, user name, password, data file, folder, operation, error
    // file, status file (ids 1000 to 1007); for todos the two opportunity
    // switches (1008, 1009); log folder, log file, level, debug flag (1012
    // to 1015).
    void BuildParams_(CxParamWriter& params) const override;
    CxHelperRunner& Runner_() override;

private:
    char m_padName[kTextCapacity];
    char m_userName[kTextCapacity];
    char m_password[kTextCapacity];
    bool m_opp = true;
    bool m_oppNotes = true;
};
