// The four Lotus Notes helper programs on database paths they cannot read:
// each fails with the message the user needs, leaves no data file, and
// says so in its status file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/LotusHelperRun.h"

namespace {

const CxHelperKindId kKinds[] = {kHelperLNAddr, kHelperLNDate, kHelperLNTask, kHelperLNNote};

class LotusHelper : public fwtest::LotusHelperRun {};

TEST_F(LotusHelper, PathsThatAreNoUsableExportFailWithTheirMessage) {
    std::filesystem::create_directories(dir.File("empty-folder"));
    fwtest::WriteFile(dir.File("names.nsf"), "not readable here");
    fwtest::WriteFile(dir.File("people.vcf"), "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\nEND:VCARD\r\n");
    fwtest::WriteFile(dir.File("calendar.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    fwtest::WriteFile(dir.File("notes.txt"), "plain text");
    const struct {
        std::string database;
        bool contacts, others;  // whether the case fails for contacts, for the other kinds
        const char* message;    // a part of the message
    } cases[] = {
        {"", true, true, "No Lotus Notes "},
        {dir.File("names.nsf"), true, true, "cannot be read here, only its export. In Lotus Notes,"},
        {dir.File("missing.NSF"), true, true, "cannot be read here, only its export."},
        {"Mail01/Acme!!mail/jdoe.nsf", true, true, "is on the Domino server Mail01/Acme and cannot be read here."},
        {dir.File("missing.dxl"), true, true, "does not exist."},
        {dir.File("empty-folder"), true, true, "holds no DXL files (.dxl)."},
        {dir.File("notes.txt"), true, true, "is no export of a Lotus Notes "},
        {dir.File("people.vcf"), false, true, "is no export of a Lotus Notes "},
        {dir.File("calendar.ics"), true, false, "is no export of a Lotus Notes address book that holds contacts."},
    };
    for (const auto& c : cases) {
        for (CxHelperKindId id : kKinds) {
            const bool fails = id == kHelperLNAddr ? c.contacts : c.others;
            if (!fails) continue;
            SCOPED_TRACE(c.database + " for " + GetHelperKind(id).helper);
            EXPECT_EQ(Run(id, c.database), 1);
            const std::string error = LastError(id);
            EXPECT_NE(error.find(c.message), std::string::npos) << error;
            // The message says how to make the export the kind needs.
            if (c.database.find("nsf") != std::string::npos || c.database.empty()) {
                EXPECT_NE(error.find(id == kHelperLNAddr ? "vCard file (.vcf)" : "DXL file (.dxl)"), std::string::npos)
                    << error;
            }
            EXPECT_FALSE(DataFileExists(id));
            EXPECT_EQ(fwtest::ReadFile(dir.File(GetHelperKind(id).statusFile)), "Failed\r\n");
        }
    }
}

}  // namespace
