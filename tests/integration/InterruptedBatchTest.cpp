// "ferrywise --batch" stopped part-way and run again: every Palm record is
// in the store exactly once, name-alike records included, as independent
// parsers read the store; a further run finds everything the same.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/outlook/OutlookFixture.h"
#include "tests/support/BatchRun.h"
#include "tests/support/Dates.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatWriter.h"

using namespace palmdat;
using fwtest::Quote;

namespace {

constexpr Format kFormat = Format::V414;

Record Contact(int id, const char* first, const char* last, const char* company, const std::string& phone) {
    Record r = NewRecord(Kind::Address, kFormat);
    r[0] = Value::Long(id);
    r[13] = Value::Text(first);
    r[14] = Value::Text(last);
    r[16] = Value::Text(company);
    r[19] = Value::Text(phone);
    r[26] = Value::Long(0);
    return r;
}

Record Event(int id, const char* subject, int hour) {
    Record r = NewRecord(Kind::Datebook, kFormat);
    r[0] = Value::Long(id);
    r[13] = Value::Long(fwtest::UtcSeconds(2026, 3, 4, hour, 0), 3);
    r[14] = Value::Long(fwtest::UtcSeconds(2026, 3, 4, hour, 15), 3);
    r[15] = Value::Text(subject);
    return r;
}

Record Todo(int id, const char* subject, int priority) {
    Record r = NewRecord(Kind::Todo, kFormat);
    r[0] = Value::Long(id);
    r[13] = Value::Text(subject);
    r[14] = Value::Long(-1, 3);
    r[16] = Value::Long(priority);
    return r;
}

Record Memo(int id, const char* text) {
    Record r = NewRecord(Kind::Memo, kFormat);
    r[0] = Value::Long(id);
    r[13] = Value::Text(text);
    return r;
}

// The four files with name-alike records of every kind.
std::vector<DatFile> NameAlikes() {
    DatFile contacts = NewFile(Kind::Address, kFormat), events = NewFile(Kind::Datebook, kFormat),
            todos = NewFile(Kind::Todo, kFormat), memos = NewFile(Kind::Memo, kFormat);
    contacts.records = {Contact(1, "John", "Smith", "", "555-1"),
                        Contact(2, "John", "Smith", "", "555-2"),
                        Contact(3, "John", "Smith", "", "555-2"),
                        Contact(4, "", "", "Acme", "1"),
                        Contact(5, "", "", "Beta", "1"),
                        Contact(6, "Ann", "Lee", "", ""),
                        Contact(7, "", "", "", "777")};
    events.records = {Event(11, "Standup", 9), Event(12, "Standup", 15), Event(13, "Standup", 15),
                      Event(14, "Lunch", 12)};
    todos.records = {Todo(21, "Call mom", 1), Todo(22, "Call mom", 1), Todo(23, "call mom", 2),
                     Todo(24, "Pay rent", 3)};
    memos.records = {Memo(31, "List\r\nmilk"), Memo(32, "List\r\neggs"), Memo(33, "List\r\neggs"), Memo(34, "Ideas")};
    return {contacts, events, todos, memos};
}

class InterruptedBatchTest : public ::testing::Test {
protected:
    fwtest::TempDir dir;

    // Writes the files, each cut to its first `keep` records, into a folder
    // of their own; gives the batch options that read them.
    std::string WriteFiles(const std::string& name, std::vector<DatFile> files, std::size_t keep) {
        const std::string folder = dir.Path() + name + "/";
        platform::EnsureFolder(folder);
        const char* options[] = {"--palm-contacts", "--palm-calendar", "--palm-tasks", "--palm-notes"};
        std::string args = "--source palm --store " + Quote(dir.Path() + "store");
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (files[k].records.size() > keep) files[k].records.resize(keep);
            const std::string path = folder + FileName(files[k].kind);
            EXPECT_TRUE(Write(path, files[k]));
            args += std::string(" ") + options[k] + " " + Quote(path);
        }
        return args;
    }

    // What python3-vobject and python3-icalendar read in the store: one
    // line per item.
    std::string ParsedStore() {
        const std::string source = std::getenv("FW_SOURCE_DIR") ? std::getenv("FW_SOURCE_DIR") : ".";
        const std::string command = "/usr/bin/python3 " + source + "/tests/integration/read_store.py " +
                                    Quote(dir.Path() + "store") + " > " + Quote(dir.File("parsed.txt")) + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << fwtest::ReadFile(dir.File("parsed.txt"));
        return fwtest::ReadFile(dir.File("parsed.txt"));
    }

    static std::size_t Count(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }

    // The store holds each record once, and a run finds all the same.
    void ExpectEveryRecordOnce(const std::vector<DatFile>& files, const std::string& fullArgs) {
        const std::string parsed = ParsedStore();
        EXPECT_EQ(Count(parsed, "contact|"), files[0].records.size()) << parsed;
        EXPECT_EQ(Count(parsed, "contact|John Smith|Smith|John"), 3u) << parsed;
        EXPECT_EQ(Count(parsed, "event|"), files[1].records.size()) << parsed;
        EXPECT_EQ(Count(parsed, "event|Standup|2026-03-04 15:00"), 2u) << parsed;
        EXPECT_EQ(Count(parsed, "todo|"), files[2].records.size()) << parsed;
        EXPECT_EQ(Count(parsed, "journal|"), files[3].records.size()) << parsed;
        const fwtest::BatchRun again = fwtest::RunFerrywise(dir.Path(), fullArgs);
        ASSERT_EQ(again.status, 0) << again.output;
        const auto report = fwtest::BatchReport(again.output);
        ASSERT_EQ(report.size(), 4u) << again.output;
        std::size_t k = 0;
        for (const char* kind : {"Contacts", "Calendar", "Tasks", "Notes"}) {
            const fwtest::KindCounts& c = report.at(kind);
            EXPECT_EQ(c.same, static_cast<int>(files[k++].records.size())) << kind << "\n" << again.output;
            EXPECT_EQ(c.created + c.different + c.written, 0) << kind;
        }
    }
};

}  // namespace

TEST_F(InterruptedBatchTest, StoppedAfterSomeRecordsAndRunAgain) {
    const std::vector<DatFile> files = NameAlikes();
    const std::string full = WriteFiles("full", files, 99);
    for (const std::size_t stop : {1u, 2u, 3u, 5u}) {
        SCOPED_TRACE("stopped after " + std::to_string(stop));
        std::filesystem::remove_all(dir.Path() + "store");
        // What a run stopped there has written: the first records of each file.
        ASSERT_EQ(fwtest::RunFerrywise(dir.Path(), WriteFiles("part", files, stop)).status, 0);
        const fwtest::BatchRun second = fwtest::RunFerrywise(dir.Path(), full);
        ASSERT_EQ(second.status, 0) << second.output;
        const auto report = fwtest::BatchReport(second.output);
        std::size_t k = 0;
        for (const char* kind : {"Contacts", "Calendar", "Tasks", "Notes"}) {
            const int size = static_cast<int>(files[k++].records.size());
            const int before = std::min(size, static_cast<int>(stop));
            const fwtest::KindCounts& c = report.at(kind);
            EXPECT_EQ(c.same, before) << kind << "\n" << second.output;
            EXPECT_EQ(c.created, size - before) << kind;
            EXPECT_EQ(c.written, size - before) << kind;
        }
        ExpectEveryRecordOnce(files, full);
    }
}

TEST_F(InterruptedBatchTest, KilledWhileWritingAndRunAgain) {
    // Enough John Smiths that the run is still writing when it is killed.
    std::vector<DatFile> files = NameAlikes();
    for (int i = 0; i < 400; ++i)
        files[0].records.push_back(Contact(100 + i, "John", "Smith", "", i % 2 ? "555-9" : "555-" + std::to_string(i)));
    const std::string full = WriteFiles("full", files, 1000);
    const std::string pidFile = dir.File("pid");
    const std::string command = fwtest::FerrywiseCommand(dir.Path(), "--kinds contacts " + full) +
                                " > /dev/null 2>&1 & echo $! > " + Quote(pidFile);
    ASSERT_EQ(std::system(command.c_str()), 0);
    const pid_t pid = static_cast<pid_t>(std::atoi(fwtest::ReadFile(pidFile).c_str()));
    ASSERT_GT(pid, 0);
    // Kill it once it has written some contacts, or give up waiting after a while.
    const std::string contacts = dir.Path() + "store/Contacts/";
    for (int i = 0; i < 3000 && oltest::Files(contacts).size() < 40; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(pid, SIGKILL);
    for (int i = 0; i < 400 && ::kill(pid, 0) == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::size_t written = oltest::Files(contacts).size();
    RecordProperty("written before the kill", static_cast<int>(written));
    const fwtest::BatchRun second = fwtest::RunFerrywise(dir.Path(), full);
    ASSERT_EQ(second.status, 0) << second.output;
    const std::string parsed = ParsedStore();
    EXPECT_EQ(Count(parsed, "contact|"), files[0].records.size()) << second.output;
    EXPECT_EQ(Count(parsed, "contact|John Smith|Smith|John"), 403u);
}
