#pragma once
// An exchange folder, a debug log that takes every line, and helper
// settings in the environment, for tests that run the test helper.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "tests/support/TempDir.h"

namespace fwtest {

struct BridgeFixture : ::testing::Test {
    TempDir dir;
    std::string folder = dir.Path();
    ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};

    BridgeFixture() {
        CxDebugUtil::Instance().SetFolder(folder.c_str());
        CxDebugUtil::Instance().Enable(true);
        CxDebugUtil::Instance().SetLevel(3);
    }
    ~BridgeFixture() override {
        CxDebugUtil::Instance().SetFolder("./");
        CxDebugUtil::Instance().Enable(false);
    }
    std::string Log() const { return ReadFile(folder + "appdebug.log"); }
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
    // Every line is in the debug log, each after the one before.
    void ExpectLinesInOrder(const std::vector<std::string>& lines) const {
        const std::string log = Log();
        std::size_t at = 0;
        for (const std::string& line : lines) {
            const std::size_t found = log.find(line, at);
            ASSERT_NE(found, std::string::npos) << line << "\n" << log;
            at = found + line.size();
        }
    }
    bool Exists(const std::string& name) const { return platform::PathExists(folder + name); }

    template <class Pred>
    static bool WaitFor(Pred pred, int ms = 20000) {
        for (int waited = 0; waited < ms; waited += 10) {
            if (pred()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return pred();
    }
};

}  // namespace fwtest
