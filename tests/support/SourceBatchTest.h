#pragma once
// A test of one source through "ferrywise --batch" with the real helper
// programs: runs into stores of the test's own folder, reads the store
// back with python3-vobject and python3-icalendar
// (tests/integration/read_store.py), and migrates twice, the second run
// finding everything Same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace fwtest {

inline std::string SourceDir() {
    const char* source = std::getenv("FW_SOURCE_DIR");
    return source ? source : ".";
}

class SourceBatchTest : public ::testing::Test {
protected:
    // `source` as --source takes it; the password goes to the helpers
    // through `passwordVariable`, never on the command line.
    SourceBatchTest(std::string source, std::string passwordVariable)
        : m_source(std::move(source)), m_passwordVariable(std::move(passwordVariable)) {}

    TempDir dir;
    // Each migration of a test may go into a store of its own.
    std::string storeName = "store";
    std::string Store() const { return dir.Path() + storeName; }

    BatchRun Ferrywise(const std::string& args, const std::string& password = "") {
        const std::string env = password.empty() ? "" : m_passwordVariable + "=" + Quote(password) + " ";
        return RunCommand(
            env + FerrywiseCommand(dir.Path(), "--source " + m_source + " " + args + " --store " + Quote(Store())) +
            " 2>&1 < /dev/null");
    }

    // One line per store item ("contact|...", "event|...", "todo|...",
    // "journal|..."), sorted; a text with line breaks goes on over more
    // lines.
    std::vector<std::string> StoreLines() const {
        const BatchRun run = RunCommand("/usr/bin/python3 " + Quote(SourceDir()) + "/tests/integration/read_store.py " +
                                        Quote(Store()) + " 2>&1");
        EXPECT_EQ(run.status, 0) << run.output;
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < run.output.size();) {
            const std::size_t end = std::min(run.output.find('\n', at), run.output.size());
            lines.push_back(run.output.substr(at, end - at));
            at = end + 1;
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    static bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& start) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    }

    static int ItemCount(const std::vector<std::string>& lines) {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
            for (const char* kind : {"contact|", "event|", "todo|", "journal|"})
                if (l.rfind(kind, 0) == 0) return true;
            return false;
        }));
    }

    // The first run writes every record of each kind as new; the second
    // finds each Same, writes nothing, and the store reads back as it was.
    void MigrateTwice(const std::string& args, const std::map<std::string, int>& expected,
                      const std::string& password = "") {
        const BatchRun first = Ferrywise(args, password);
        ASSERT_EQ(first.status, 0) << first.output;
        auto report = BatchReport(first.output);
        int total = 0;
        for (const auto& [kind, count] : expected) {
            EXPECT_EQ(report[kind].created, count) << kind << "\n" << first.output;
            EXPECT_EQ(report[kind].written, count) << kind << "\n" << first.output;
            total += count;
        }
        const auto lines = StoreLines();
        EXPECT_EQ(ItemCount(lines), total);
        const BatchRun second = Ferrywise(args, password);
        ASSERT_EQ(second.status, 0) << second.output;
        report = BatchReport(second.output);
        for (const auto& [kind, count] : expected) {
            EXPECT_EQ(report[kind].same, count) << kind << "\n" << second.output;
            EXPECT_EQ(report[kind].created + report[kind].different + report[kind].written, 0) << kind << "\n"
                                                                                               << second.output;
        }
        EXPECT_EQ(StoreLines(), lines);
    }

private:
    std::string m_source;
    std::string m_passwordVariable;
};

}  // namespace fwtest
