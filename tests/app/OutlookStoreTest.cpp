// Which Outlook store a batch migration writes into: --store, else
// $FRWY_OUTLOOK_STORE, else the setting "OLStorePath", else the default
// folder; and the setting's place in the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/AppCommon.h"
#include "app/BatchMode.h"
#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmUsers.h"
#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"
#include "platform/process/Environment.h"
#include "platform/text/TextCopy.h"
#include "tests/support/TempDir.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

struct OutlookStore : ::testing::Test {
    fwtest::TempDir dir;
    fwtest::ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    fwtest::ScopedEnv store{"FRWY_OUTLOOK_STORE", ""};
    std::string memos = dir.File("memopad.dat");

    OutlookStore() {
        platform::EnsureFolder(dir.Path() + "program");
        PmSetProgramFolder(dir.Path() + "program/");
        PmResetPalmUsers();
        PmAddrInfo::ForgetInstalledAddrGeneration();
        EXPECT_TRUE(palmdat::Write(memos, palmdat::SampleFile(palmdat::Kind::Memo, palmdat::Format::V414)));
    }
    ~OutlookStore() override {
        PmResetPalmUsers();
        PmSetProgramFolder("");
        CxDebugUtil::Instance().SetFolder("./");
    }

    void WriteStoreSetting(const std::string& storePath) {
        platform::EnsureFolderTree(dir.Path() + "share/norrbek/FRWY");
        fwtest::WriteFile(dir.Path() + "share/norrbek/FRWY/FRWY.ini", "[FRWY]\nOLStorePath=" + storePath + "\n");
    }
    // Migrates the Palm memos; the number of note files in each folder.
    int Run(const std::optional<std::string>& storeOption) {
        BatchOptions o;
        o.source = kAppPalm;
        o.kinds = std::vector<int>{CommKindNote};
        o.palmFile[CommKindNote] = memos;
        o.store = storeOption;
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
        return RunBatch(o, out.get());
    }
    std::size_t Notes(const std::string& root) const {
        std::vector<std::string> names;
        platform::file::ListFolder(root + "/Notes", names, platform::file::Entries::All, platform::file::Order::NoCase);
        return names.size();
    }
};

TEST_F(OutlookStore, OptionThenEnvironmentThenSettingThenDefault) {
    const std::string option = dir.Path() + "option", env = dir.Path() + "env", setting = dir.Path() + "setting",
                      fallback = dir.Path() + "share/norrbek/Outlook";
    WriteStoreSetting(setting);
    ASSERT_EQ(Run(std::nullopt), 0);
    EXPECT_GT(Notes(setting), 5u);
    const std::size_t count = Notes(setting);
    {
        fwtest::ScopedEnv named{"FRWY_OUTLOOK_STORE", env};
        ASSERT_EQ(Run(std::nullopt), 0);
        EXPECT_EQ(Notes(env), count);
        ASSERT_EQ(Run(option), 0);
        EXPECT_EQ(Notes(option), count);
    }
    platform::SetEnvironmentValue("FRWY_OUTLOOK_STORE", "");
    WriteStoreSetting("");
    ASSERT_EQ(Run(std::nullopt), 0);
    EXPECT_EQ(Notes(fallback), count);
    // No run wrote twice, and the setting's store was used once.
    EXPECT_EQ(Notes(setting), count);
    EXPECT_EQ(Notes(env), count);
}

TEST_F(OutlookStore, TheSettingIsWrittenAfterTheOthersAndReadBack) {
    Settings s{};
    const std::string path = dir.File("FRWY.ini");
    ReadSettings(s, path.c_str());
    EXPECT_STREQ(s.OLStorePath, "");
    platform::CopyText(s.OLStorePath, std::string(300, 'x'));
    ASSERT_TRUE(WriteSettings(s, path.c_str()));
    const std::string text = fwtest::ReadFile(path);
    EXPECT_LT(text.find("PDCodePage="), text.find("OLStorePath="));
    Settings back{};
    ReadSettings(back, path.c_str());
    EXPECT_EQ(std::string(back.OLStorePath), std::string(259, 'x'));
}

}  // namespace
