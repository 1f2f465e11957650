#pragma once
// A fake Palm Desktop installation for the tests of the record sets: a Wine
// prefix with drive C:, the Palm Desktop folder "C:\Palm" with "palm.exe"
// of a chosen version, its libraries and "USERS.DAT", the users' data
// folders, and a program folder of its own for "norrbek.ini".
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmUsers.h"
#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/text/LittleEndianWriter.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tests/palm/PalmTestSupport.h"
#include "tests/support/Bytes.h"
#include "tests/support/WineRegistry.h"

namespace palmtest {

struct FakeUser {
    std::uint32_t id;
    std::string name;
    std::string folder;
};

// A "USERS.DAT" of the users, each followed by some data of its own.
inline std::string UsersDat(const std::vector<FakeUser>& users) {
    std::string b;
    platform::AppendLE16(b, static_cast<std::uint32_t>(users.size()));
    for (std::size_t i = 0; i < users.size(); ++i) {
        if (i == 0) {
            platform::AppendLE16(b, 0xFFFF);
            platform::AppendLE16(b, 1);
            platform::AppendLE16(b, 5);
            b += "CUser";
        } else {
            platform::AppendLE16(b, 0x8001);
        }
        platform::AppendLE32(b, users[i].id);
        b.push_back(static_cast<char>(users[i].name.size()));
        b += users[i].name;
        b.push_back(static_cast<char>(users[i].folder.size()));
        b += users[i].folder;
        b += std::string("\0\0\0\x01user data", 13);
    }
    return b;
}

// A program file that carries a fixed file version (found by its signature).
inline std::string ProgramWithVersion(int major, int minor, int third, int fourth) {
    std::string b = "MZ not a real program ";
    b += fwtest::FixedFileInfo(static_cast<std::uint32_t>(major << 16 | minor),
                               static_cast<std::uint32_t>(third << 16 | fourth));
    return b;
}

class PalmDesktopTest : public PalmTest {
protected:
    PalmDesktopTest() {
        platform::EnsureFolder(Prefix());
        platform::EnsureFolder(Prefix() + "/dosdevices");
        platform::EnsureFolder(Prefix() + "/drive_c");
        EXPECT_EQ(::symlink("../drive_c", (Prefix() + "/dosdevices/c:").c_str()), 0);
        platform::EnsureFolder(dir.Path() + "program");
        PmSetProgramFolder(dir.Path() + "program/");
        ResetPalmState();
    }
    ~PalmDesktopTest() override {
        ResetPalmState();
        PmSetProgramFolder("");
    }

    static void ResetPalmState() {
        PmResetPalmUsers();
        PmAddrInfo::ForgetInstalledAddrGeneration();
    }

    std::string Prefix() const { return dir.Path() + "wine"; }
    // The Palm Desktop folder "C:\Palm\" as seen on this system.
    std::string PalmFolder() const { return Prefix() + "/drive_c/Palm/"; }
    std::string PalmFolderThroughDrive() const { return Prefix() + "/dosdevices/c:/Palm/"; }

    // The registry value "DesktopPath" of the current user's core key.
    void RegisterDesktopPath(const std::string& windowsPath) {
        fwtest::WriteFile(Prefix() + "/user.reg",
                          "WINE REGISTRY Version 2\n\n[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1\n"
                          "\"DesktopPath\"=\"" +
                              fwtest::RegistryEscape(windowsPath) + "\"\n");
    }

    // "C:\Palm" with palm.exe of a version, the four libraries (unless
    // left out) and USERS.DAT; registered as the current user's Palm Desktop.
    void InstallPalmDesktop(int major, int minor, int third, const std::vector<FakeUser>& users,
                            const std::vector<std::string>& missingLibraries = {}) {
        platform::EnsureFolder(PalmFolder());
        fwtest::WriteFile(PalmFolder() + "palm.exe", ProgramWithVersion(major, minor, third, 0));
        for (const char* lib : {"condmgr.dll", "UserData.dll", "HSAPI.DLL", "instaide.dll"}) {
            bool missing = false;
            for (const std::string& m : missingLibraries) missing = missing || m == lib;
            if (!missing) fwtest::WriteFile(PalmFolder() + lib, "library");
        }
        fwtest::WriteFile(PalmFolder() + "USERS.DAT", UsersDat(users));
        for (const FakeUser& u : users) platform::EnsureFolder(PalmFolder() + u.folder);
        RegisterDesktopPath("C:\\Palm\\");
    }

    // The data folder of a kind of a user ("address", "datebook", ...).
    std::string UserFolder(const FakeUser& user, const std::string& kindFolder) {
        const std::string folder = PalmFolder() + user.folder + "/" + kindFolder + "/";
        platform::EnsureFolder(folder);
        return folder;
    }

    fwtest::ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface uiScope{&ui};
};

}  // namespace palmtest
