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

TEST(BatchOptions, ActOptionsAreReadAndThePasswordNeverTaken) {
    BatchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--source", "act", "--act-pad", "/d/Sales.pad", "--act-user", "Anna Berg", "--act-api-url",
                       "http://127.0.0.1:8080/act.web.api/", "--act-database", "Sales", "--act-opportunities", "off"},
                      o, error))
        << error;
    EXPECT_EQ(o.source, 1);
    EXPECT_EQ(o.actPad, "/d/Sales.pad");
    EXPECT_EQ(o.actUser, "Anna Berg");
    EXPECT_EQ(o.actApiUrl, "http://127.0.0.1:8080/act.web.api/");
    EXPECT_EQ(o.actDatabase, "Sales");
    EXPECT_EQ(o.actOpportunities, false);
    ASSERT_TRUE(Parse({"--act-opportunities", "on"}, o, error));
    EXPECT_EQ(o.actOpportunities, true);
    const std::vector<std::vector<std::string>> refused = {
        {"--act-password", "hunter2"},  {"--act-password=hunter2"}, {"--act-pad"}, {"--act-user", ""},
        {"--act-opportunities", "yes"}, {"--act-database"}};
    for (const auto& args : refused) {
        BatchOptions bad;
        EXPECT_FALSE(Parse(args, bad, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find("hunter2"), std::string::npos) << error;
    }
    const std::string usage = BatchUsage();
    for (const char* option :
         {"--act-pad", "--act-user", "--act-api-url", "--act-database", "--act-opportunities", "FRWY_ACT_PASSWORD"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(BatchOptions, LotusNotesDatabasesAreReadAsGiven) {
    BatchOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--source", "lotus", "--notes-contacts", "C:\\Notes\\Data\\names.nsf", "--notes-mail",
                       "Primary1/Org1!!mail/aberg.nsf", "--notes-notebook", "/exports/journal.dxl"},
                      o, error))
        << error;
    EXPECT_EQ(o.source, 4);
    EXPECT_EQ(o.notesContacts, "C:\\Notes\\Data\\names.nsf");
    EXPECT_EQ(o.notesMail, "Primary1/Org1!!mail/aberg.nsf");
    EXPECT_EQ(o.notesNotebook, "/exports/journal.dxl");
    const std::vector<std::vector<std::string>> refused = {
        {"--notes-contacts"}, {"--notes-mail", ""}, {"--notes-notebook"}, {"--notes-password=hunter2"}};
    for (const auto& args : refused) {
        BatchOptions bad;
        EXPECT_FALSE(Parse(args, bad, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find("hunter2"), std::string::npos) << error;
    }
    const std::string usage = BatchUsage();
    for (const char* option :
         {"--notes-contacts", "--notes-mail", "--notes-notebook", "LNAddrName", "LNDateName", "LNNoteName"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}
