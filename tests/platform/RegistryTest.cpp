#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/paths/Paths.h"
#include "platform/registry/Registry.h"
#include "platform/registry/WineRegistryFile.h"
#include "tests/support/TempDir.h"

using platform::RegistryReadPath;
using platform::RegistryReadString;
using platform::RegistryRoot;
using platform::WineRegistryFile;

namespace {

// A Wine prefix as Wine leaves it: the two registry files and drive C:
// reached through its link in dosdevices.
struct FakePrefix {
    fwtest::TempDir dir;
    fwtest::ScopedEnv env{"WINEPREFIX", dir.Path() + "prefix"};

    FakePrefix() {
        platform::EnsureFolder(dir.Path() + "prefix");
        platform::EnsureFolder(dir.Path() + "prefix/dosdevices");
        platform::EnsureFolder(dir.Path() + "prefix/drive_c");
        EXPECT_EQ(::symlink("../drive_c", (dir.Path() + "prefix/dosdevices/c:").c_str()), 0);
    }
    std::string Prefix() const { return dir.Path() + "prefix"; }
    void System(const std::string& body) {
        fwtest::WriteFile(Prefix() + "/system.reg",
                          "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" + body);
    }
    void User(const std::string& body) {
        fwtest::WriteFile(
            Prefix() + "/user.reg",
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n" + body);
    }
};

}  // namespace

TEST(WineRegistryFile, ReadsTextValuesWithEscapes) {
    WineRegistryFile file;
    ASSERT_TRUE(
        file.Parse("WINE REGISTRY Version 2\r\n"
                   ";; All keys relative to \\\\Machine\r\n"
                   "[Software\\\\Lotus\\\\Notes] 1700000000\r\n"
                   "#time=1da0b2c3d4e5f60\r\n"
                   "\"Path\"=\"C:\\\\Program Files\\\\Lotus\\\\Notes\\\\\"\r\n"
                   "@=\"the default\"\r\n"
                   "\"Quote\"=\"say \\\"hi\\\"\\ttab\\nline\"\r\n"
                   "\"Umlaut\"=\"M\\xfcller \\x20ac\\x00e9t\\xd83d\\xde00!\"\r\n"
                   "\"Octal\"=\"a\\101\\0b\"\r\n"
                   "\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\r\n"
                   "\"Multi\"=str(7):\"a\\0b\\0\"\r\n"
                   "\"Number\"=dword:00000001\r\n"
                   "\"Blob\"=hex:01,02,03,\\\r\n"
                   "  \"Fake\"=\"continuation line\",\\\r\n"
                   "  05\r\n"
                   "\"After\"=\"blob\"\r\n"
                   "[Software\\\\Odd\\]Name] 1\n"
                   "\"Na\\\"me\"=\"v\"\n"));
    EXPECT_EQ(file.Get("SOFTWARE\\Lotus\\Notes", "path"), "C:\\Program Files\\Lotus\\Notes\\");
    EXPECT_EQ(file.Get("software\\lotus\\notes", ""), "the default");
    EXPECT_EQ(file.Get("Software\\Lotus\\Notes", "Quote"), "say \"hi\"\ttab\nline");
    EXPECT_EQ(file.Get("Software\\Lotus\\Notes", "Umlaut"), "Müller €ét😀!");
    EXPECT_EQ(file.Get("Software\\Lotus\\Notes", "Octal"), std::string("aA\0b", 4));
    EXPECT_EQ(file.Get("Software\\Lotus\\Notes", "Expand"), "%SystemRoot%\\x");
    EXPECT_FALSE(file.Get("Software\\Lotus\\Notes", "Multi"));
    EXPECT_FALSE(file.Get("Software\\Lotus\\Notes", "Number"));
    EXPECT_FALSE(file.Get("Software\\Lotus\\Notes", "Blob"));
    EXPECT_FALSE(file.Get("Software\\Lotus\\Notes", "Fake"));
    EXPECT_EQ(file.Get("Software\\Lotus\\Notes", "After"), "blob");
    EXPECT_EQ(file.Get("\\Software\\\\Odd]name\\", "na\"me"), "v");
    EXPECT_FALSE(file.Get("Software\\Lotus", "Path"));
    EXPECT_TRUE(file.HasKey("software\\lotus\\notes"));
}

TEST(WineRegistryFile, RefusesTextWithoutHeaderAndSurvivesBrokenLines) {
    WineRegistryFile file;
    EXPECT_FALSE(file.Parse("REGEDIT4\n[Software\\\\A]\n\"x\"=\"y\"\n"));
    EXPECT_EQ(file.KeyCount(), 0u);
    EXPECT_FALSE(file.Parse(""));
    ASSERT_TRUE(
        file.Parse("WINE REGISTRY Version 2\n\"orphan\"=\"value before any key\"\n[Unclosed\n"
                   "[A] 1\n\"open\"=\"no end\n\"lone\"=\"\\xdc00\\xd800x\"\n\"trail\"=\"\\\n"));
    EXPECT_FALSE(file.Get("A", "open"));
    EXPECT_EQ(file.Get("A", "lone"), "\xEF\xBF\xBD\xEF\xBF\xBDx");
    EXPECT_FALSE(file.Get("A", "trail"));
}

TEST(Registry, ReadsMachineUserAndClassesKeys) {
    FakePrefix prefix;
    prefix.System(
        "[Software\\\\Classes\\\\Outlook.Application\\\\CurVer] 1\n@=\"Outlook.Application.16\"\n\n"
        "[Software\\\\Palm] 1\n\"Path\"=\"machine\"\n");
    prefix.User("[Software\\\\Lotus\\\\Notes\\\\Installer] 1\n\"DATADIR\"=\"C:\\\\Notes\\\\Data\"\n");
    EXPECT_EQ(RegistryReadString(RegistryRoot::ClassesRoot, "Outlook.Application\\CurVer", ""),
              "Outlook.Application.16");
    EXPECT_EQ(RegistryReadString(RegistryRoot::CurrentUser, "SOFTWARE\\Lotus\\Notes\\Installer", "DataDir"),
              "C:\\Notes\\Data");
    EXPECT_FALSE(RegistryReadString(RegistryRoot::LocalMachine, "SOFTWARE\\Lotus\\Notes\\Installer", "DATADIR"));
    EXPECT_FALSE(RegistryReadString(RegistryRoot::CurrentUser, "Software\\Palm", "Path"));
    EXPECT_TRUE(platform::RegistryKeyExists(RegistryRoot::LocalMachine, "software\\palm"));

    // A changed file is read again.
    prefix.System("[Software\\\\Palm] 2\n\"Path\"=\"changed and longer\"\n");
    EXPECT_EQ(RegistryReadString(RegistryRoot::LocalMachine, "Software\\Palm", "Path"), "changed and longer");
}

TEST(Registry, FallsBackToWow6432NodeForMachineSoftwareKeys) {
    FakePrefix prefix;
    prefix.System(
        "[Software\\\\Wow6432Node\\\\Lotus\\\\Notes] 1\n\"Path\"=\"C:\\\\Lotus\\\\Notes\\\\\"\n\"Only32\"=\"x\"\n"
        "[Software\\\\ACT] 1\n\"Path\"=\"native\"\n"
        "[Software\\\\Wow6432Node\\\\ACT] 1\n\"Path\"=\"redirected\"\n");
    EXPECT_EQ(RegistryReadString(RegistryRoot::LocalMachine, "SOFTWARE\\Lotus\\Notes", "Path"), "C:\\Lotus\\Notes\\");
    EXPECT_EQ(RegistryReadString(RegistryRoot::LocalMachine, "SOFTWARE\\ACT", "Path"), "native");
    EXPECT_TRUE(platform::RegistryKeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\Lotus\\Notes"));
    // Only software keys of the machine take the detour.
    prefix.User("[Software\\\\Wow6432Node\\\\Lotus] 1\n\"Path\"=\"user\"\n");
    EXPECT_FALSE(RegistryReadString(RegistryRoot::CurrentUser, "Software\\Lotus", "Path"));
    prefix.System("[System\\\\Wow6432Node\\\\X] 1\n\"a\"=\"b\"\n");
    EXPECT_FALSE(RegistryReadString(RegistryRoot::LocalMachine, "System\\X", "a"));
}

TEST(Registry, MissingFilesGiveNothing) {
    FakePrefix prefix;
    EXPECT_FALSE(RegistryReadString(RegistryRoot::LocalMachine, "Software\\Lotus\\Notes", "Path"));
    EXPECT_FALSE(RegistryReadString(RegistryRoot::ClassesRoot, "Outlook.Application", ""));
    EXPECT_FALSE(platform::RegistryKeyExists(RegistryRoot::CurrentUser, "Software"));
}

TEST(Registry, DefaultPrefixIsDotWineInHome) {
    fwtest::TempDir dir;
    fwtest::ScopedEnv env("WINEPREFIX", "");
    fwtest::ScopedEnv home("HOME", dir.Path() + "home");
    EXPECT_EQ(platform::WinePrefix(), dir.Path() + "home/.wine");
}

TEST(Registry, TranslatesDrivePathsThroughDosdevices) {
    FakePrefix prefix;
    platform::EnsureFolder(prefix.Prefix() + "/drive_c/Program Files");
    platform::EnsureFolder(prefix.Prefix() + "/drive_c/Program Files/Lotus");
    const std::string c = prefix.Prefix() + "/dosdevices/c:/";
    EXPECT_EQ(platform::TranslateWindowsPath("C:\\Program Files\\Lotus\\"), c + "Program Files/Lotus/");
    // Components are found without regard to case; missing ones stay.
    EXPECT_EQ(platform::TranslateWindowsPath("c:\\PROGRAM FILES\\lotus\\Notes\\notes.exe"),
              c + "Program Files/Lotus/Notes/notes.exe");
    EXPECT_EQ(platform::TranslateWindowsPath("C:"), c);
    EXPECT_EQ(platform::TranslateWindowsPath("D:/data\\\\x"), prefix.Prefix() + "/dosdevices/d:/data/x");
    EXPECT_EQ(platform::TranslateWindowsPath("/home/u/file"), "/home/u/file");
    EXPECT_EQ(platform::TranslateWindowsPath("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(platform::TranslateWindowsPath("C:relative"), "C:relative");
    EXPECT_EQ(platform::TranslateWindowsPath(""), "");

    prefix.System("[Software\\\\Lotus\\\\Notes] 1\n\"Path\"=\"C:\\\\Program Files\\\\Lotus\\\\\"\n");
    EXPECT_EQ(RegistryReadPath(RegistryRoot::LocalMachine, "Software\\Lotus\\Notes", "Path"),
              c + "Program Files/Lotus/");
    EXPECT_TRUE(platform::PathExists(*RegistryReadPath(RegistryRoot::LocalMachine, "Software\\Lotus\\Notes", "Path")));
}
