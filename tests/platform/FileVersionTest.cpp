#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/text/LittleEndianWriter.h"
#include "platform/version/FileVersion.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

namespace {

// A small PE32 file with one section ".rsrc" whose resource directory leads
// type 16 -> name 1 -> language 1033 -> a VS_VERSIONINFO block.
std::string PeWithVersion(std::uint32_t ms, std::uint32_t ls, bool decoyBeforeResource) {
    std::string b(0x400, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    platform::PutLE32(b, 0x3C, 0x80);
    platform::PutLE32(b, 0x80, 0x00004550);
    const std::size_t coff = 0x84;
    platform::PutLE16(b, coff + 2, 1);     // one section
    platform::PutLE16(b, coff + 16, 224);  // optional header size (PE32)
    const std::size_t opt = coff + 20;
    platform::PutLE16(b, opt, 0x10B);
    platform::PutLE32(b, opt + 96 + 16, 0x2000);  // resource directory RVA
    platform::PutLE32(b, opt + 96 + 20, 0x200);
    const std::size_t sec = opt + 224;
    std::memcpy(&b[sec], ".rsrc", 5);
    platform::PutLE32(b, sec + 8, 0x200);    // virtual size
    platform::PutLE32(b, sec + 12, 0x2000);  // virtual address
    platform::PutLE32(b, sec + 16, 0x200);   // raw size
    platform::PutLE32(b, sec + 20, 0x200);   // raw offset
    if (decoyBeforeResource) b.replace(0x1B0, 52, fwtest::FixedFileInfo(0x00090009, 0));
    const std::size_t root = 0x200;
    // Root: one id entry, type 16 -> subdirectory at 0x18.
    platform::PutLE16(b, root + 14, 1);
    platform::PutLE32(b, root + 16, 16);
    platform::PutLE32(b, root + 20, 0x80000018);
    // Names: one id entry 1 -> subdirectory at 0x30.
    platform::PutLE16(b, root + 0x18 + 14, 1);
    platform::PutLE32(b, root + 0x18 + 16, 1);
    platform::PutLE32(b, root + 0x18 + 20, 0x80000030);
    // Languages: one id entry 1033 -> data entry at 0x48.
    platform::PutLE16(b, root + 0x30 + 14, 1);
    platform::PutLE32(b, root + 0x30 + 16, 1033);
    platform::PutLE32(b, root + 0x30 + 20, 0x48);
    // Data entry: RVA of the block and its size.
    platform::PutLE32(b, root + 0x48, 0x2060);
    platform::PutLE32(b, root + 0x48 + 4, 0x5C + 52);
    // VS_VERSIONINFO at raw 0x260: header, key, padding, fixed information.
    std::string block(0x28, '\0');
    platform::PutLE16(block, 0, 0x28 + 52);
    platform::PutLE16(block, 2, 52);
    const char* key = "VS_VERSION_INFO";
    for (std::size_t i = 0; key[i]; ++i) block[6 + 2 * i] = key[i];
    b.replace(0x260, block.size(), block);
    b.replace(0x260 + 0x28, 52, fwtest::FixedFileInfo(ms, ls));
    return b;
}

}  // namespace

TEST(FileVersion, WalksThePeResourceDirectory) {
    platform::FixedFileVersion v;
    ASSERT_TRUE(platform::ParseFileVersion(PeWithVersion(0x00040001, 0x00020000, true), v));
    EXPECT_EQ(v.fileVersionMS, 0x00040001u);  // 4.1
    EXPECT_EQ(v.fileVersionLS, 0x00020000u);  // .2.0
}

TEST(FileVersion, OtherFilesAreScannedForTheSignature) {
    platform::FixedFileVersion v;
    std::string f = "#!/bin/sh\n" + fwtest::FixedFileInfo(0x00060000, 0x00000001) + "tail";
    ASSERT_TRUE(platform::ParseFileVersion(f, v));
    EXPECT_EQ(v.fileVersionMS, 0x00060000u);
    EXPECT_FALSE(platform::ParseFileVersion("MZ", v));
    EXPECT_FALSE(platform::ParseFileVersion(std::string("\xBD\x04\xEF\xFE", 4), v));  // cut short
}

TEST(FileVersion, DamagedPeFilesFailWithoutReadingPastTheEnd) {
    const std::string good = PeWithVersion(0x00040001, 0x00020000, false);
    platform::FixedFileVersion v;
    for (std::size_t cut = 0; cut < good.size(); cut += 7) {
        std::string damaged = good.substr(0, cut);
        platform::ParseFileVersion(damaged, v);  // the sanitizer build checks every read
    }
    // A header that points nowhere leaves the scan, which still finds the block.
    std::string badOffsets = good;
    platform::PutLE32(badOffsets, 0x3C, 0xFFFFFFF0);
    EXPECT_TRUE(platform::ParseFileVersion(badOffsets, v));
    EXPECT_EQ(v.fileVersionMS, 0x00040001u);
    // A resource directory whose entries point outside the file finds nothing there.
    std::string badResource = PeWithVersion(0x00040001, 0x00020000, true);
    platform::PutLE32(badResource, 0x200 + 20, 0x8FFFFFF0);
    EXPECT_TRUE(platform::ParseFileVersion(badResource, v));
    EXPECT_EQ(v.fileVersionMS, 0x00090009u);  // only the scan's first find is left
}

TEST(FileVersion, ReadsFromDisk) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("Palm.exe"), PeWithVersion(0x00040001, 0x00040000, false));
    platform::FixedFileVersion v;
    ASSERT_TRUE(platform::ReadFileVersion(dir.File("palm.exe"), v));  // found without regard to case
    EXPECT_EQ(v.fileVersionLS, 0x00040000u);
    EXPECT_FALSE(platform::ReadFileVersion(dir.File("none.exe"), v));
}
