#pragma once
// What every helper program does around its real work: read its command
// line and parameter file, keep "Running" set in its control file while it
// works and notice when "Stop" becomes 1, show its progress as the first
// line of its status file, and leave its errors in its error file.
#include <string>
#include <vector>

#include "common/bridge/CxHelperFiles.h"
#include "helpers/exchange/HelperParams.h"

class HelperSession {
public:
    // Reads the command line (the program, then the parameter file) and the
    // parameter file. The kind is found from the program's file name unless
    // given. False, with the reason in GetError, when either is missing or
    // unreadable.
    bool Open(int argc, char** argv, const CxHelperKind* kind = nullptr);
    const std::string& GetError() const { return m_error; }

    const CxHelperKind& Kind() const { return *m_kind; }
    const HelperParams& Params() const { return m_params; }
    const std::string& ParamFilePath() const { return m_paramPath; }

    // The exchange folder (ending with a separator) and the files in it.
    const std::string& Folder() const { return m_folder; }
    std::string DataPath() const;
    std::string ErrorPath() const;
    std::string StatusPath() const;
    std::string ControlPath() const;
    int Operation() const;
    int LogLevel() const;
    bool DebugEnabled() const;

    // Points the debug log at the log folder of the parameters (else the
    // exchange folder), with their level and switch.
    void StartLog() const;

    // "Running" 1 (and "Stop" 0, so that an old request does not end this
    // run) or "Running" 0.
    bool MarkRunning(bool running);
    // True once the program has asked this helper to stop.
    bool StopRequested() const;
    // Replaces the status file with one line, so that a reader never sees a
    // half-written one.
    bool WriteStatus(const std::string& line);
    // Collects an error; WriteErrors writes them all.
    void AddError(const std::string& text);
    bool WriteErrors();
    std::size_t ErrorCount() const { return m_errors.size(); }

private:
    const CxHelperKind* m_kind = nullptr;
    HelperParams m_params;
    std::string m_paramPath;
    std::string m_folder;
    std::string m_error;
    std::vector<std::string> m_errors;
};
