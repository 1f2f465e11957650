#pragma once
// The Lotus Notes side of the helper exchange: the base of the Lotus Notes
// bridges (the database of the kind and the Notes user ID file), the
// parameter writer and the runner, which starts the helpers in the Lotus
// Notes program folder.
#include <string>

#include "common/bridge/CxHelperBridge.h"
#include "common/bridge/CxHelperRunner.h"
#include "common/bridge/CxParamWriter.h"

class CxLNParamParser : public CxParamWriter {
public:
    using CxParamWriter::CxParamWriter;
};

class CxLNDataReader : public CxHelperRunner {
protected:
    // The Lotus Notes program folder: the value "Path" of the local
    // machine's key "SOFTWARE\Lotus\Notes"; empty (the program's folder)
    // when it is missing.
    std::string HelperDirectory_() override;
};

class CxLNBaseUtil : public CxHelperBridge {
public:
    // Deletes the status and error files of its kind.
    ~CxLNBaseUtil() override;

    // The database of this kind: the address book for contacts, the mail
    // database for calendar and todos, the notebook for notes. Copies at
    // most 255 characters.
    void SetDatabaseName(const char* name);
    void SetIdFile(const char* path);
    const char* GetDatabaseName() const { return m_databaseName; }
    const char* GetIdFile() const { return m_idFile; }

protected:
    explicit CxLNBaseUtil(CxHelperKindId kind);

    // Three empty texts, data file, folder, operation, error file, status
    // file (ids 1000 to 1007), the database (1009 for contacts, 1008 for
    // the others), log folder, log file, level, debug flag (1010 to 1013)
    // and the ID file (1014).
    void BuildParams_(CxParamWriter& params) const override;
    CxHelperRunner& Runner_() override;

private:
    char m_databaseName[kTextCapacity];
    char m_idFile[kTextCapacity];
};
