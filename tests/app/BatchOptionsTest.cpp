#include <gtest/gtest.h>

#include "app/BatchMode.h"
#include "common/records/CommKinds.h"

namespace {

bool Parse(std::vector<std::string> args, BatchOptions& o, std::string& error) {
    return ParseBatchOptions(args, o, error);
}

}  // namespace

TEST(BatchOptions, EveryOptionIsRead) {
    BatchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--source", "palm", "--kinds", "contacts,memos,calendar", "--palm-user", "-3", "--palm-tasks",
                       "/x/todo.dat", "--store", "/s", "--select", "all", "--dry-run"},
                      o, error))
        << error;
    EXPECT_EQ(o.source, 5);
    ASSERT_TRUE(o.kinds.has_value());
    EXPECT_EQ(*o.kinds, (std::vector<int>{CommKindAddr, CommKindNote, CommKindDate}));
    EXPECT_EQ(o.palmUser, -3);
    EXPECT_EQ(o.palmFile[CommKindTask], "/x/todo.dat");
    EXPECT_FALSE(o.palmFile[CommKindAddr].has_value());
    EXPECT_EQ(o.store, "/s");
    EXPECT_TRUE(o.selectAll);
    EXPECT_TRUE(o.dryRun);
    EXPECT_FALSE(o.help);
}

TEST(BatchOptions, NothingGivenLeavesTheSettingsToDecide) {
    BatchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({}, o, error));
    EXPECT_FALSE(o.source.has_value());
    EXPECT_FALSE(o.kinds.has_value());
    EXPECT_FALSE(o.selectAll);
    ASSERT_TRUE(Parse({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

TEST(BatchOptions, BadInputIsRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--source", "outlook"}, {"--source"},           {"--kinds", "contacts,,notes"},
        {"--kinds", ""},         {"--palm-user", "12a"}, {"--palm-user", ""},
        {"--palm-notes", ""},    {"--select", "some"},   {"--store", ""},
        {"--frobnicate"},        {"contacts"},
    };
    for (const auto& args : bad) {
        BatchOptions o;
        std::string error;
        EXPECT_FALSE(Parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(BatchOptions, UsageNamesEveryOption) {
    const std::string usage = BatchUsage();
    for (const char* option : {"--source", "--kinds", "--palm-user", "--palm-contacts", "--palm-calendar",
                               "--palm-tasks", "--palm-notes", "--store", "--select", "--dry-run", "--help"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(BatchOptions, GoogleOptionsAreReadAndSecretsNeverTaken) {
    BatchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--source", "google", "--google-email", "anna@example.org", "--google-export", "/t/takeout.zip",
                       "--google-server", "http://127.0.0.1:5232/", "--google-client-id", "id-1"},
                      o, error))
        << error;
    EXPECT_EQ(o.source, 2);
    EXPECT_EQ(o.googleEmail, "anna@example.org");
    EXPECT_EQ(o.googleExport, "/t/takeout.zip");
    EXPECT_EQ(o.googleServer, "http://127.0.0.1:5232/");
    EXPECT_EQ(o.googleClientId, "id-1");
    const std::vector<std::vector<std::string>> secrets = {{"--google-password", "hunter2"},
                                                           {"--google-password=hunter2"},
                                                           {"--google-client-secret", "hunter2"},
                                                           {"--password", "hunter2"},
                                                           {"--google-email"},
                                                           {"--google-export", ""}};
    for (const auto& args : secrets) {
        BatchOptions refused;
        EXPECT_FALSE(Parse(args, refused, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find("hunter2"), std::string::npos) << error;
    }
    const std::string usage = BatchUsage();
    for (const char* option : {"--google-email", "--google-export", "--google-server", "--google-client-id",
                               "FRWY_GOOGLE_PASSWORD", "FRWY_GOOGLE_CLIENT_SECRET"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}
