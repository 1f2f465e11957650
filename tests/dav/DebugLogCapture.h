#pragma once
// The process's debug log, written in full to a fresh folder while the
// object lives, so that a test can read what the client logged.
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "tests/support/TempDir.h"

class DebugLogCapture {
public:
    DebugLogCapture() {
        auto& log = CxDebugUtil::Instance();
        m_folder = log.GetFolder();
        m_enabled = log.IsEnabled();
        m_level = log.GetLevel();
        log.SetFolder(m_dir.Path().c_str());
        log.Enable(true);
        log.SetLevel(kLogLow);
    }
    ~DebugLogCapture() {
        auto& log = CxDebugUtil::Instance();
        log.SetFolder(m_folder.c_str());
        log.Enable(m_enabled);
        log.SetLevel(m_level);
    }
    std::string Text() const { return fwtest::ReadFile(CxDebugUtil::Instance().GetLogPath()); }

private:
    fwtest::TempDir m_dir;
    std::string m_folder;
    bool m_enabled;
    int m_level;
};
