// Palm Desktop files of each generation through "ferrywise --batch" into an
// empty Outlook store: every record arrives, the store reads back the same,
// and a second run writes nothing.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

using fwtest::BatchRun;
using fwtest::Quote;

class BatchMigrationTest : public ::testing::Test {
protected:
    fwtest::TempDir dir;

    BatchRun Ferrywise(const std::string& args) { return fwtest::RunFerrywise(dir.Path(), args); }

    static std::map<std::string, fwtest::KindCounts> Report(const std::string& output) {
        return fwtest::BatchReport(output);
    }

    // Every file of the store with its content and modification time.
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> files;
        for (const char* folder : {"Contacts", "Calendar", "Tasks", "Notes"}) {
            const std::string path = dir.Path() + "store/" + folder;
            if (DIR* d = ::opendir(path.c_str())) {
                while (const dirent* e = ::readdir(d)) {
                    if (e->d_name[0] == '.') continue;
                    const std::string file = path + "/" + e->d_name;
                    struct stat st {};
                    ::stat(file.c_str(), &st);
                    files[std::string(folder) + "/" + e->d_name] = std::to_string(st.st_mtim.tv_sec) + "." +
                                                                   std::to_string(st.st_mtim.tv_nsec) + ":" +
                                                                   fwtest::ReadFile(file);
                }
                ::closedir(d);
            }
        }
        return files;
    }

    static std::size_t CountIn(const std::map<std::string, std::string>& files, const std::string& folder) {
        std::size_t n = 0;
        for (const auto& [name, content] : files) n += name.rfind(folder + "/", 0) == 0;
        return n;
    }

    void MigrateTwice(const std::string& files, const std::map<std::string, int>& expected) {
        const std::string args = "--source palm " + files + " --store " + Quote(dir.Path() + "store");
        const BatchRun first = Ferrywise(args);
        ASSERT_EQ(first.status, 0) << first.output;
        const auto report = Report(first.output);
        ASSERT_EQ(report.size(), 4u) << first.output;
        const auto store = Snapshot();
        const std::map<std::string, std::string> folders = {
            {"Contacts", "Contacts"}, {"Calendar", "Calendar"}, {"Tasks", "Tasks"}, {"Notes", "Notes"}};
        for (const auto& [kind, count] : expected) {
            const fwtest::KindCounts& k = report.at(kind);
            EXPECT_EQ(k.created, count) << kind;
            EXPECT_EQ(k.different + k.same, 0) << kind;
            EXPECT_EQ(k.written, count) << kind;
            EXPECT_EQ(CountIn(store, folders.at(kind)), static_cast<std::size_t>(count)) << kind;
        }
        EXPECT_NE(first.output.find("Migration log: " + dir.Path() + "data/norrbek/FRWY/SWLog.txt"), std::string::npos);

        const BatchRun second = Ferrywise(args);
        ASSERT_EQ(second.status, 0) << second.output;
        const auto again = Report(second.output);
        for (const auto& [kind, count] : expected) {
            const fwtest::KindCounts& k = again.at(kind);
            EXPECT_EQ(k.same, count) << kind << "\n" << second.output;
            EXPECT_EQ(k.created + k.different + k.written, 0) << kind;
        }
        EXPECT_EQ(Snapshot(), store);  // not one file written again
    }
};

std::string DatFiles(const std::string& folder) {
    return "--palm-contacts " + Quote(folder + "address.dat") + " --palm-calendar " + Quote(folder + "datebook.dat") +
           " --palm-tasks " + Quote(folder + "todo.dat") + " --palm-notes " + Quote(folder + "memopad.dat");
}

}  // namespace

TEST_F(BatchMigrationTest, EarlierDatFilesMigrateWhole) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::Earlier));
    MigrateTwice(DatFiles(dir.Path()), {{"Contacts", 36}, {"Calendar", 28}, {"Tasks", 24}, {"Notes", 20}});
}

TEST_F(BatchMigrationTest, Palm414DatFilesMigrateWhole) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::V414));
    MigrateTwice(DatFiles(dir.Path()), {{"Contacts", 36}, {"Calendar", 28}, {"Tasks", 24}, {"Notes", 20}});
}

TEST_F(BatchMigrationTest, Palm6DatabasesMigrateWhole) {
    std::string error;
    ASSERT_TRUE(jetfixture::WritePalmSamples(dir.Path(), 30, error)) << error;
    const std::string p = dir.Path();
    MigrateTwice("--palm-contacts " + Quote(p + "Address.mdb") + " --palm-calendar " + Quote(p + "DateBook.mdb") +
                     " --palm-tasks " + Quote(p + "Todolist.mdb") + " --palm-notes " + Quote(p + "MemoPad.mdb"),
                 {{"Contacts", 30}, {"Calendar", 30}, {"Tasks", 30}, {"Notes", 30}});
}

TEST_F(BatchMigrationTest, DryRunWritesNothing) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::V414));
    const BatchRun run = Ferrywise("--source palm --kinds contacts,notes --dry-run --palm-contacts " +
                                   Quote(dir.Path() + "address.dat") + " --palm-notes " +
                                   Quote(dir.Path() + "memopad.dat") + " --store " + Quote(dir.Path() + "store"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("36 would be migrated"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Calendar"), std::string::npos);
    EXPECT_TRUE(Snapshot().empty());
}

TEST_F(BatchMigrationTest, ShortenedValuesAreCountedPerKind) {
    std::string error;
    ASSERT_TRUE(jetfixture::WritePalmSamples(dir.Path(), 30, error)) << error;
    const std::string p = dir.Path();
    // Four sample memos are longer than a note holds; nothing else is cut.
    const BatchRun run =
        Ferrywise("--source palm --kinds contacts,notes --dry-run --palm-contacts " + Quote(p + "Address.mdb") +
                  " --palm-notes " + Quote(p + "MemoPad.mdb") + " --store " + Quote(p + "store"));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::size_t notes = run.output.find("Notes         4 values shortened to fit; see the debug log\n");
    EXPECT_NE(notes, std::string::npos) << run.output;
    EXPECT_GT(notes, run.output.find("Notes"));  // after the kind's own line
    EXPECT_EQ(run.output.find("Contacts  "), run.output.rfind("Contacts  ")) << run.output;
    const std::string log = fwtest::ReadFile(p + "data/norrbek/FRWY/appdebug.log");
    EXPECT_NE(log.find("Value shortened: Palm memo 4003, field \"Note\""), std::string::npos);
}

TEST_F(BatchMigrationTest, DamagedOrOddSourcesFailTheRunNamingTheFile) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::Earlier));
    const std::string datebook = fwtest::ReadFile(dir.File("datebook.dat"));
    fwtest::WriteFile(dir.File("cut-datebook.dat"), datebook.substr(0, 200));
    const std::string address = palmdat::Build(palmdat::SampleFile(palmdat::Kind::Address, palmdat::Format::V414));
    fwtest::WriteFile(dir.File("cut-address.dat"), address.substr(0, address.size() * 2 / 3));
    std::vector<std::uint8_t> memos;
    std::string error;
    ASSERT_TRUE(jetfixture::MakePalmSample(jetfixture::PalmKind::Memos, 30).Build(memos, error)) << error;
    fwtest::WriteFile(dir.File("cut-MemoPad.mdb"), std::string(memos.begin(), memos.begin() + 4 * 4096));
    fwtest::WriteFile(dir.File("junk.dat"), "not a Palm file");
    ASSERT_EQ(fwtest::MakeFifo(dir.File("fifo.dat")), 0);
    const struct {
        const char* option;
        const char* file;
        const char* message;
    } cases[] = {
        {"--kinds calendar --palm-calendar", "cut-datebook.dat", "Failed to load Palm Desktop Calendar information."},
        {"--kinds contacts --palm-contacts", "cut-address.dat", "Failed to load Palm Desktop Contacts information."},
        {"--kinds notes --palm-notes", "cut-MemoPad.mdb", "Failed to load Palm Desktop Memos information."},
        {"--kinds contacts --palm-contacts", "junk.dat", "Failed to load Palm Desktop Contacts information."},
        {"--kinds tasks --palm-tasks", "fifo.dat", "Failed to load Palm Desktop Task information."},
    };
    for (const auto& c : cases) {
        const BatchRun run = Ferrywise(std::string("--source palm ") + c.option + " " + Quote(dir.File(c.file)) +
                                       " --store " + Quote(dir.Path() + "store"));
        EXPECT_EQ(run.status, 1) << run.output;
        // The driver's message, then the file and the cause.
        EXPECT_NE(run.output.find(std::string(c.message) + "\n" + dir.File(c.file) + ": "), std::string::npos)
            << run.output;
        EXPECT_TRUE(Snapshot().empty());
    }
}

TEST_F(BatchMigrationTest, BadOptionsAndHelp) {
    EXPECT_EQ(Ferrywise("--kinds nothing").status, 2);
    const BatchRun help = Ferrywise("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--palm-contacts FILE"), std::string::npos);
    // The settings file is left as it was read: no source was ever chosen there.
    EXPECT_EQ(Ferrywise("--kinds contacts").status, 2);
}

namespace {

class BatchStoreTest : public BatchMigrationTest {
protected:
    std::string Contacts() { return dir.Path() + "store/Contacts/"; }
    std::string DebugLog() { return fwtest::ReadFile(dir.Path() + "data/norrbek/FRWY/appdebug.log"); }
    BatchRun MigrateContacts() {
        return Ferrywise("--source palm --kinds contacts --palm-contacts " + Quote(dir.File("address.dat")) +
                         " --store " + Quote(dir.Path() + "store"));
    }
};

TEST_F(BatchStoreTest, OddStoreEntriesAreSkippedWithALineAndNothingHangs) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::Earlier));
    ASSERT_TRUE(platform::EnsureFolderTree(Contacts()));
    ASSERT_EQ(fwtest::MakeFifo(Contacts() + "fifo.vcf"), 0);
    ASSERT_EQ(::symlink("/dev/zero", (Contacts() + "zero.vcf").c_str()), 0);
    fwtest::WriteFile(Contacts() + "bad.vcf", "no card at all");
    fwtest::WriteFile(Contacts() + "big.vcf", "");
    ASSERT_EQ(::truncate((Contacts() + "big.vcf").c_str(), (64 << 20) + 1), 0);
    // What a killed run of ours leaves, and what another program leaves.
    const std::string ours = Contacts() + ".0123456789ABCDEF0123456789ABCDEF.vcf.tmp";
    fwtest::WriteFile(ours, "half");
    fwtest::WriteFile(Contacts() + ".other.vcf.tmp", "theirs");
    // A data folder made before with rights for everybody.
    ASSERT_TRUE(platform::EnsureFolderTree(dir.Path() + "data/norrbek/FRWY"));
    ASSERT_EQ(::chmod((dir.Path() + "data/norrbek/FRWY").c_str(), 0755), 0);

    const BatchRun run = MigrateContacts();
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Report(run.output)["Contacts"].written, 36) << run.output;
    const std::string log = DebugLog();
    for (const char* name : {"fifo.vcf", "zero.vcf"})
        EXPECT_NE(log.find("no regular file: " + Contacts() + name), std::string::npos) << name << log;
    EXPECT_NE(log.find("malformed store file: " + Contacts() + "bad.vcf"), std::string::npos) << log;
    EXPECT_NE(log.find("larger than 64 MiB: " + Contacts() + "big.vcf"), std::string::npos) << log;
    // Nothing below may read them.
    ::unlink((Contacts() + "fifo.vcf").c_str());
    ::unlink((Contacts() + "zero.vcf").c_str());
    EXPECT_FALSE(platform::PathExists(ours));
    EXPECT_TRUE(platform::PathExists(Contacts() + ".other.vcf.tmp"));

    // Private by default: the data folder, the logs, the settings and the new items.
    const std::string data = dir.Path() + "data/norrbek/FRWY/";
    EXPECT_EQ(fwtest::FileMode(data), 0700);
    for (const char* file : {"appdebug.log", "SWLog.txt"}) EXPECT_EQ(fwtest::FileMode(data + file), 0600) << file;
    std::size_t items = 0;
    for (const auto& [name, content] : Snapshot()) {
        if (name.rfind("Contacts/", 0) != 0 || name.find("bad.vcf") != std::string::npos ||
            name.find("big.vcf") != std::string::npos)
            continue;
        EXPECT_EQ(fwtest::FileMode(dir.Path() + "store/" + name), 0600) << name;
        ++items;
    }
    EXPECT_EQ(items, 36u);
}

TEST_F(BatchStoreTest, AnUnreadableItemFailsTheOutlookLoadNamingIt) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::Earlier));
    ASSERT_EQ(MigrateContacts().status, 0);
    const auto files = Snapshot();
    ASSERT_FALSE(files.empty());
    const std::string item = dir.Path() + "store/" + files.begin()->first;
    const std::string aside = dir.Path() + "aside";
    // Without the right to read it, or (since file rights do not keep the
    // superuser out) as a name that leads back to itself: either way the
    // item is there and its file cannot be opened.
    const bool superuser = ::geteuid() == 0;
    if (superuser) {
        ASSERT_EQ(::rename(item.c_str(), aside.c_str()), 0);
        ASSERT_EQ(::symlink(item.c_str(), item.c_str()), 0);
    } else {
        ASSERT_EQ(::chmod(item.c_str(), 0), 0);
    }
    const BatchRun run = MigrateContacts();
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("Failed to load Outlook Contacts information.\n" + item + ": the file cannot be read."),
              std::string::npos)
        << run.output;
    if (superuser) {
        ASSERT_EQ(::unlink(item.c_str()), 0);
        ASSERT_EQ(::rename(aside.c_str(), item.c_str()), 0);
    } else {
        ::chmod(item.c_str(), 0600);
    }
    EXPECT_EQ(Snapshot(), files);  // nothing written twice, nothing changed
}

TEST_F(BatchStoreTest, TwoMigrationsAtOnceWriteEveryRecordOnce) {
    ASSERT_TRUE(palmdat::WriteSample(dir.Path(), palmdat::Format::Earlier));
    BatchRun first, second;
    std::thread other([&] { second = MigrateContacts(); });
    first = MigrateContacts();
    other.join();
    for (const BatchRun* run : {&first, &second}) {
        // Each one either waited for the other and found its records, or
        // gave up with the message.
        if (run->status != 0) {
            EXPECT_EQ(run->status, 1);
            EXPECT_NE(run->output.find("The Outlook store is in use by another migration."), std::string::npos)
                << run->output;
        }
    }
    EXPECT_TRUE(first.status == 0 || second.status == 0) << first.output << second.output;
    EXPECT_EQ(CountIn(Snapshot(), "Contacts"), 36u);
}

}  // namespace
