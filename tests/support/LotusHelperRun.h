#pragma once
// A Lotus Notes helper program run as the program runs it: the parameter
// file written by the program's own writer in the order the bridges write
// it, the program started on it, and its error file read as the program
// reads it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/bridge/CxHelperFiles.h"
#include "common/lotus/CxLNCommon.h"
#include "platform/profile/PrivateProfile.h"
#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace fwtest {

class LotusHelperRun : public ::testing::Test {
protected:
    // The program of a kind, beside the program that starts it.
    static std::string HelperPath(CxHelperKindId id) {
        std::string path = FerrywisePath();
        path.resize(path.size() - std::string("ferrywise").size());
        const std::string name = GetHelperKind(id).helper;
        return path + name.substr(0, name.size() - 4);  // no ".exe" here
    }

    // The time zone the program runs in (TZ), when a test sets one.
    std::string zone;
    // The Notes user ID file the bridges pass on.
    std::string idFile;

    std::string WriteParams(CxHelperKindId id, const std::string& database) {
        const CxHelperKind& kind = GetHelperKind(id);
        CxLNParamParser p;
        auto text = [&](std::int32_t pid, const std::string& value) { p.SetParam(pid, kParamTypeText, value.c_str()); };
        for (std::int32_t pid : {1000, 1001, 1002}) text(pid, "");
        text(1003, kind.dataFile);
        text(1004, dir.Path());
        text(1005, "1");
        text(1006, kind.errorFile);
        text(1007, kind.statusFile);
        text(id == kHelperLNAddr ? 1009 : 1008, database);
        text(1010, dir.Path());
        text(1011, "appdebug.log");
        text(1012, "3");
        text(1013, "1");
        text(1014, idFile);
        const std::string path = dir.File(kind.paramFile);
        EXPECT_TRUE(p.WriteToFile(path.c_str()));
        return path;
    }

    std::string Command(CxHelperKindId id, const std::string& database) {
        const std::string env = zone.empty() ? std::string() : "env TZ=" + Quote(zone) + " ";
        return env + Quote(HelperPath(id)) + " " + Quote(WriteParams(id, database));
    }

    // The exit code of the program.
    int Run(CxHelperKindId id, const std::string& database) {
        return RunCommand(Command(id, database) + " 2>&1").status;
    }

    // The message the program would show: the last of the error file.
    std::string LastError(CxHelperKindId id) const {
        const std::string path = dir.File(GetHelperKind(id).errorFile);
        const auto count = platform::ReadProfileString(path, "Error", "Error.Count");
        if (!count || *count == "0") return {};
        return platform::ReadProfileString(path, "Error", "Error." + *count).value_or("");
    }

    std::string StatusLine(CxHelperKindId id) const { return ReadFile(dir.File(GetHelperKind(id).statusFile)); }
    std::string DataPath(CxHelperKindId id) const { return dir.File(GetHelperKind(id).dataFile); }
    bool DataFileExists(CxHelperKindId id) const { return FileMode(DataPath(id)) != -1; }
    // The record count at the head of the data file; -1 without one.
    int RecordCount(CxHelperKindId id) const {
        const std::string bytes = DataFileExists(id) ? ReadFile(DataPath(id)) : std::string();
        if (bytes.size() < 4) return -1;
        return static_cast<int>(static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[0])) |
                                static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[1])) << 8 |
                                static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2])) << 16 |
                                static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[3])) << 24);
    }

    TempDir dir;
};

}  // namespace fwtest
