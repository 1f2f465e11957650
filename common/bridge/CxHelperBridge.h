#pragma once
// What every helper bridge shares: the exchange folder and file names, the
// log settings passed on to the helper, the error state of the last run,
// writing the parameter file and running the helper (InvokeHelper_),
// reading the error file, and the stop request to a helper still running
// when the bridge goes away.
//
// Each application derives its base from it (CxGAppBaseUtil, CxACTBaseUtil,
// CxLNBaseUtil), which adds its account fields and its parameter tables.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/bridge/CxHelperFiles.h"

class CxFile;
class CxHelperRunner;
class CxParamWriter;

class CxHelperBridge {
public:
    static constexpr std::size_t kTextCapacity = 256;    // 255 characters
    static constexpr std::size_t kErrorCapacity = 1024;  // 1023 characters

    // Destroying a bridge asks a helper that still runs to stop (its control
    // file's "Stop" key), after the derived bridge has cleared itself.
    virtual ~CxHelperBridge();
    CxHelperBridge(const CxHelperBridge&) = delete;
    CxHelperBridge& operator=(const CxHelperBridge&) = delete;

    // Runs the helper and reads its records; true when the data file was read.
    virtual bool Load() = 0;
    // Frees the records and empties the common-record list.
    virtual void Clear() = 0;

    bool HasError() const { return m_hasError; }
    const char* GetErrorText() const { return m_errorText; }

    // Each copies at most 255 characters; null clears the field.
    void SetFolder(const char* folder);
    void SetDataFileName(const char* name);
    void SetParamFileName(const char* name);
    void SetErrorFileName(const char* name);
    void SetStatusFileName(const char* name);
    void SetControlFileName(const char* name);
    void SetLogFolder(const char* folder);
    void SetLogFileName(const char* name);
    void SetLogLevel(std::int32_t level) { m_logLevel = level; }
    void SetDebug(bool enabled) { m_debug = enabled; }
    // The longest wait for the helper, in milliseconds (30 minutes unless
    // changed).
    void SetWaitLimit(std::uint32_t ms) { m_waitLimit = ms; }

    const char* GetFolder() const { return m_folder; }
    const char* GetDataFileName() const { return m_dataFileName; }
    const char* GetParamFileName() const { return m_paramFileName; }
    const char* GetErrorFileName() const { return m_errorFileName; }
    const char* GetStatusFileName() const { return m_statusFileName; }
    const char* GetControlFileName() const { return m_controlFileName; }
    const char* GetLogFolder() const { return m_logFolder; }
    const char* GetLogFileName() const { return m_logFileName; }
    std::int32_t GetLogLevel() const { return m_logLevel; }
    bool GetDebug() const { return m_debug; }
    std::int32_t GetOperation() const { return m_operation; }
    const CxHelperKind& GetHelperKind() const { return m_helper; }

    // The parameter list of this kind, as written before each run.
    void BuildParams(CxParamWriter& params) const { BuildParams_(params); }

protected:
    explicit CxHelperBridge(CxHelperKindId kind);

    // Writes the parameter file, deletes the data and error files of an
    // earlier run, runs the helper and reads its error file. False, with the
    // error set, when the helper could not be started.
    bool InvokeHelper_();
    // The parameter table of the application and kind.
    virtual void BuildParams_(CxParamWriter& params) const = 0;
    // The process-wide runner of this kind's helper.
    virtual CxHelperRunner& Runner_() = 0;
    // The exchange files an application's bridges delete on Clear.
    virtual void ClearFiles_() {}

    // Reads "Error.Count" and the last "Error.<n>" of the error file.
    void ReadErrorFile_();
    // Writes "Stop=1" into the control file when its "Running" is not 0.
    void RequestStop_();
    void SetError_(const char* text);
    void ClearError_();
    // Writes a number as the decimal text the parameter file holds.
    static std::string Decimal(std::int32_t value);

    // Folder + file name.
    std::string ExchangePath_(const char* fileName) const;
    // Deletes folder + file name (nothing for an empty name).
    void DeleteExchangeFile_(const char* fileName) const;

    // Opens the data file for reading; logs `openFailure` (with the full
    // path) and sets the error when it cannot.
    bool OpenDataFile_(CxFile& file, const char* openFailure);
    // Reports a data file that ended early: after `complete` of `count`
    // records (count -1 when the count itself is missing).
    void DataFileCut_(std::int32_t complete, std::int32_t count);

    std::int32_t m_operation = 0;

private:
    const CxHelperKind& m_helper;
    bool m_hasError = false;
    char m_errorText[kErrorCapacity];
    char m_folder[kTextCapacity];
    char m_dataFileName[kTextCapacity];
    char m_paramFileName[kTextCapacity];
    char m_errorFileName[kTextCapacity];
    char m_statusFileName[kTextCapacity];
    char m_controlFileName[kTextCapacity];
    char m_logFolder[kTextCapacity];
    char m_logFileName[kTextCapacity];
    std::int32_t m_logLevel = 3;
    bool m_debug = false;
    std::uint32_t m_waitLimit;
};
