#pragma once
// Shared pieces of the Palm Desktop reader tests: a temporary folder with
// the process debug log pointed into it, and the messages of that log.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace palmtest {

using fwtest::LocalSeconds;

struct LogLine {
    bool critical;
    std::string text;
};

class PalmTest : public ::testing::Test {
protected:
    PalmTest() {
        CxDebugUtil::Instance().SetFolder(dir.Path().c_str());
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(3);
    }
    ~PalmTest() override {
        CxDebugUtil::Instance().Enable(false);
        CxDebugUtil::Instance().SetLevel(0);
        CxDebugUtil::Instance().SetFolder("./");
    }

    std::string Write(const palmdat::DatFile& file, const std::string& name = "") {
        const std::string path = dir.File(name.empty() ? palmdat::FileName(file.kind) : name);
        palmdat::Write(path, file);
        return path;
    }

    // Forgets the entries written so far.
    void ClearLog() { m_consumed = fwtest::ReadFile(dir.File("appdebug.log")).size(); }

    // The log's entries written since the last ClearLog.
    std::vector<LogLine> Log() {
        const std::string text = fwtest::ReadFile(dir.File("appdebug.log"));
        std::vector<LogLine> lines;
        std::size_t start = m_consumed;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            const std::size_t marker = line.find("][");
            const std::size_t body = line.find("] - ");
            if (marker != std::string::npos && body != std::string::npos)
                lines.push_back({line.find("[!!!] - ") != std::string::npos, line.substr(body + 4)});
            start = end + 2;
        }
        return lines;
    }

    // The texts of the log's entries since the last ClearLog.
    std::vector<std::string> LogTexts() {
        std::vector<std::string> texts;
        for (const LogLine& line : Log()) texts.push_back(line.text);
        return texts;
    }

    // How many entries with exactly this text and level were written since
    // the last ClearLog.
    int Count(const std::string& text, bool critical) {
        int n = 0;
        for (const LogLine& line : Log())
            if (line.text == text && line.critical == critical) ++n;
        return n;
    }
    bool Logged(const std::string& text, bool critical) { return Count(text, critical) > 0; }

    fwtest::TempDir dir;

private:
    std::size_t m_consumed = 0;
};

}  // namespace palmtest
