// "ferrywise --batch" killed with SIGKILL at a random moment: the store
// never holds a partial item, an unfinished write is never an item, a rerun
// leaves every source record in the store exactly once, and a run after it
// finds everything the same. The store is read by independent parsers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/misc/CxDebugUtil.h"
#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "platform/outlook/OutlookServer.h"
#include "platform/paths/Paths.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Seed.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatGenerated.h"

using fwtest::Quote;
using palmdat::Kind;

namespace {

using Clock = std::chrono::steady_clock;

// How many records of each kind a run migrates.
struct Plan {
    int contacts = 0, events = 0, todos = 0, memos = 0;
};

const Kind kKinds[] = {Kind::Address, Kind::Datebook, Kind::Todo, Kind::Memo};
const char* const kTitles[] = {"Contacts", "Calendar", "Tasks", "Notes"};
const char* const kItemKinds[] = {"contact", "event", "todo", "journal"};
const char* const kOptions[] = {"--palm-contacts", "--palm-calendar", "--palm-tasks", "--palm-notes"};

int CountOf(const Plan& p, int k) {
    const int counts[] = {p.contacts, p.events, p.todos, p.memos};
    return counts[k];
}

class KilledBatchTest : public ::testing::Test {
protected:
    fwtest::TempDir dir;

    KilledBatchTest() { CxDebugUtil::Instance().SetFolder(dir.Path().c_str()); }

    // Writes the plan's files into a folder of their own; gives the batch
    // options that migrate them into `store`.
    std::string WriteFiles(const std::string& name, const Plan& plan, const std::string& store) {
        const std::string folder = dir.Path() + name + "/";
        platform::EnsureFolder(folder);
        std::string kinds, files;
        for (int k = 0; k < 4; ++k) {
            if (CountOf(plan, k) == 0) continue;
            const std::string path = folder + palmdat::FileName(kKinds[k]);
            std::string error;
            EXPECT_TRUE(palmdat::WriteGenerated(path, kKinds[k], palmdat::Format::V414, CountOf(plan, k), &error))
                << error;
            static const char* const kNames[] = {"contacts", "calendar", "tasks", "notes"};
            kinds += std::string(kinds.empty() ? "" : ",") + kNames[k];
            files += std::string(" ") + kOptions[k] + " " + Quote(path);
        }
        return "--source palm --kinds " + kinds + files + " --store " + Quote(store);
    }

    // What python3-vobject and python3-icalendar make of every file of the
    // store: "<kind>|<name>", "unreadable|...", "temporary|..." or "stray|...".
    std::vector<std::string> ReadStore(const std::string& store) {
        const char* source = std::getenv("FW_SOURCE_DIR");
        const std::string out = dir.File("names.txt");
        const std::string command = "/usr/bin/python3 " + std::string(source ? source : ".") +
                                    "/tests/integration/store_names.py " + Quote(store) + " > " + Quote(out) + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << fwtest::ReadFile(out);
        std::vector<std::string> lines;
        std::istringstream in(fwtest::ReadFile(out));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

// The store after a kill: every item file is whole; unfinished writes may
// be there, nothing else.
void ExpectOnlyWholeItems(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        EXPECT_NE(line.rfind("unreadable|", 0), 0u) << line;
        EXPECT_NE(line.rfind("stray|", 0), 0u) << line;
    }
}

// Every generated record of the plan once, by name, and nothing else.
void ExpectEveryRecordOnce(const std::vector<std::string>& lines, const Plan& plan) {
    std::map<std::string, int> seen;
    for (const std::string& line : lines) {
        EXPECT_NE(line.rfind("unreadable|", 0), 0u) << line;
        if (line.rfind("temporary|", 0) != 0) ++seen[line];
    }
    std::size_t expected = 0;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < CountOf(plan, k); ++i, ++expected) {
            const std::string line = std::string(kItemKinds[k]) + "|" + palmdat::GeneratedName(kKinds[k], i);
            EXPECT_EQ(seen[line], 1) << line;
        }
    EXPECT_EQ(seen.size(), expected);
}

template <class Util>
std::size_t ItemsOutlookLoads() {
    Util util;
    EXPECT_TRUE(util.Load());
    return util.GetRecordList() ? util.GetRecordList()->GetRecordCount() : 0;
}

// What our own Outlook stand-in counts in the store, per kind.
std::vector<std::size_t> ItemsPerKind(const std::string& store) {
    platform::outlook::RegisterOutlookApplication(store);
    std::vector<std::size_t> counts = {ItemsOutlookLoads<OlAddrUtil>(), ItemsOutlookLoads<OlDateUtil>(),
                                       ItemsOutlookLoads<OlTaskUtil>(), ItemsOutlookLoads<OlNoteUtil>()};
    platform::outlook::UnregisterOutlookApplication();
    return counts;
}

// An unfinished write of a contact beside the items, as a kill leaves one;
// it is no item, for the store nor for other programs.
void PlantUnfinishedWrite(const std::string& store) {
    platform::EnsureFolder(store + "/Contacts");
    fwtest::WriteFile(store + "/Contacts/.00000000DEADBEEF.vcf.~k1ll3d.tmp",
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Planted;Half;;;\r\nFN:Half Planted\r\n");
}

}  // namespace

TEST_F(KilledBatchTest, KilledAtRandomAndRunAgain) {
    const unsigned seed = fwtest::SeedFromEnvironment(static_cast<unsigned>(std::random_device{}()));
    SCOPED_TRACE("FW_SEED=" + std::to_string(seed));
    std::printf("FW_SEED=%u\n", seed);
    RecordProperty("seed", std::to_string(seed));
    std::mt19937 rng(seed);

    const Plan contactsOnly{3000, 0, 0, 0};
    const Plan everyKind{1000, 600, 600, 600};
    // How long an uninterrupted run of each plan takes here, on this build.
    std::map<const Plan*, double> expected;
    for (const Plan* plan : {&contactsOnly, &everyKind}) {
        const std::string store = dir.Path() + "timed";
        const auto start = Clock::now();
        ASSERT_EQ(fwtest::RunFerrywise(dir.Path(), WriteFiles("timed", *plan, store)).status, 0);
        expected[plan] = std::chrono::duration<double>(Clock::now() - start).count();
        std::filesystem::remove_all(store);
    }

    const Plan* plans[] = {&contactsOnly, &everyKind, &contactsOnly, &everyKind, &contactsOnly};
    for (int run = 0; run < 5; ++run) {
        const Plan& plan = *plans[run];
        const std::string store = dir.Path() + "store" + std::to_string(run);
        const std::string args = WriteFiles("files" + std::to_string(run), plan, store);
        const double delay = std::uniform_real_distribution<double>(0.05, 0.95)(rng) * expected[&plan];
        SCOPED_TRACE("run " + std::to_string(run) + ", killed after " + std::to_string(delay) + " s of " +
                     std::to_string(expected[&plan]));

        const pid_t pid = fwtest::StartFerrywise(dir.Path(), args);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::duration<double>(delay));
        int status = 0;
        const bool finished = ::waitpid(pid, &status, WNOHANG) == pid;
        if (!finished) {
            ::kill(pid, SIGKILL);
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        }
        std::printf("run %d: %s after %.2f s\n", run, finished ? "finished" : "killed", delay);
        ExpectOnlyWholeItems(ReadStore(store));

        PlantUnfinishedWrite(store);
        const fwtest::BatchRun again = fwtest::RunFerrywise(dir.Path(), args);
        ASSERT_EQ(again.status, 0) << again.output;
        const auto report = fwtest::BatchReport(again.output);
        for (int k = 0; k < 4; ++k) {
            if (CountOf(plan, k) == 0) continue;
            const fwtest::KindCounts& c = report.at(kTitles[k]);
            EXPECT_EQ(c.created + c.different + c.same, CountOf(plan, k)) << kTitles[k] << "\n" << again.output;
        }
        ExpectEveryRecordOnce(ReadStore(store), plan);
        const std::vector<std::size_t> items = ItemsPerKind(store);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(items[k], static_cast<std::size_t>(CountOf(plan, k))) << kTitles[k];

        const fwtest::BatchRun third = fwtest::RunFerrywise(dir.Path(), args);
        ASSERT_EQ(third.status, 0) << third.output;
        const auto thirdReport = fwtest::BatchReport(third.output);
        EXPECT_EQ(thirdReport.size(), report.size()) << third.output;
        for (const auto& [title, c] : thirdReport) {
            const int k = static_cast<int>(std::find(std::begin(kTitles), std::end(kTitles), title) - kTitles);
            EXPECT_EQ(c.same, CountOf(plan, k)) << title << "\n" << third.output;
            EXPECT_EQ(c.created + c.different + c.written, 0) << title;
        }
    }
}
