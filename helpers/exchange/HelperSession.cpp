#include "helpers/exchange/HelperSession.h"

#include <cstdlib>

#include "common/misc/CxDebugUtil.h"
#include "platform/file/AtomicFile.h"
#include "platform/profile/PrivateProfile.h"

bool HelperSession::Open(int argc, char** argv, const CxHelperKind* kind) {
    m_kind = kind ? kind : (argc > 0 ? FindHelperKind(argv[0]) : nullptr);
    if (m_kind == nullptr) {
        m_error = "the program name is not that of a helper";
        return false;
    }
    if (argc < 2 || argv[1] == nullptr || argv[1][0] == '\0') {
        m_error = "no parameter file given";
        return false;
    }
    m_paramPath = argv[1];
    if (!m_params.Load(m_paramPath, &m_error)) return false;
    m_folder = m_params.Text(GetExchangeParamIds(m_kind->app).folder);
    if (m_folder.empty()) {  // the folder of the parameter file
        const std::size_t slash = m_paramPath.rfind('/');
        m_folder = slash == std::string::npos ? std::string() : m_paramPath.substr(0, slash + 1);
    }
    return true;
}

std::string HelperSession::DataPath() const {
    return m_folder + m_params.Text(GetExchangeParamIds(m_kind->app).dataFile, m_kind->dataFile);
}
std::string HelperSession::ErrorPath() const {
    return m_folder + m_params.Text(GetExchangeParamIds(m_kind->app).errorFile, m_kind->errorFile);
}
std::string HelperSession::StatusPath() const {
    return m_folder + m_params.Text(GetExchangeParamIds(m_kind->app).statusFile, m_kind->statusFile);
}
std::string HelperSession::ControlPath() const { return m_folder + m_kind->controlFile; }

int HelperSession::Operation() const { return m_params.Int(GetExchangeParamIds(m_kind->app).operation, 0); }
int HelperSession::LogLevel() const { return m_params.Int(GetExchangeParamIds(m_kind->app).logLevel, 0); }
bool HelperSession::DebugEnabled() const { return m_params.Int(GetExchangeParamIds(m_kind->app).debug, 0) != 0; }

void HelperSession::StartLog() const {
    const std::string folder = m_params.Text(GetExchangeParamIds(m_kind->app).logFolder, m_folder);
    CxDebugUtil& log = CxDebugUtil::Instance();
    log.SetFolder(folder.c_str());
    log.SetLevel(LogLevel());
    log.Enable(DebugEnabled());
}

bool HelperSession::MarkRunning(bool running) {
    platform::ProfileDocument doc;
    doc.Load(ControlPath());
    doc.Set("Status", "Running", running ? "1" : "0");
    if (running) doc.Set("Status", "Stop", "0");
    return doc.Save(ControlPath());
}

bool HelperSession::StopRequested() const {
    const auto stop = platform::ReadProfileString(ControlPath(), "Status", "Stop");
    return stop && std::atoi(stop->c_str()) == 1;
}

bool HelperSession::WriteStatus(const std::string& line) {
    // Read at once by the program and of no use after a restart: not
    // flushed to disk.
    platform::file::AtomicOptions options;
    options.mode = 0600;
    options.flush = false;
    return platform::file::WriteFileAtomically(StatusPath(), line + "\r\n", options);
}

void HelperSession::AddError(const std::string& text) {
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    m_errors.push_back(std::move(line));
}

bool HelperSession::WriteErrors() {
    platform::ProfileDocument doc;
    doc.Set("Error", "Error.Count", std::to_string(m_errors.size()));
    for (std::size_t i = 0; i < m_errors.size(); ++i) doc.Set("Error", "Error." + std::to_string(i + 1), m_errors[i]);
    return doc.Save(ErrorPath());
}
