// Finding the Act! Web API and the database: ".pad" files as ACT! writes
// them (and as editors re-save them), the settings that override them, and
// the files of older ACT! releases that cannot be read.
#include <gtest/gtest.h>

#include <string>

#include "helpers/act/ActPad.h"
#include "tests/support/TempDir.h"

namespace {

// UTF-16 with a byte-order mark, as Windows editors save "Unicode" text.
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string out = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xff);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

const std::string kPad =
    "<?xml version=\"1.0\" standalone=\"no\"?>\r\n<!DOCTYPE ACT2005DatabasePADFile>\r\n"
    "<!--This file represents a Pointer to an Act Database or [PAD]-->\r\n"
    "<ACT2005Database name=\"Sales Team\" host=\"CRM-SRV\" location=\"C:\\ACT\\Databases\" type=\"Sql\" />\r\n";

struct Resolved {
    bool ok = false;
    std::string base, database;
    act::Error error;
};

Resolved Resolve(const act::Account& account) {
    Resolved r;
    r.ok = act::ResolveEndpoint(account, r.base, r.database, r.error);
    return r;
}

TEST(ActPad, PadFilesAsWrittenAndReSaved) {
    const struct {
        const char* name;
        std::string bytes;
        const char* base;
        const char* database;
    } cases[] = {
        {"as ACT! writes it", kPad, "https://CRM-SRV/act.web.api", "Sales Team"},
        {"UTF-16 little-endian",
         Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><ACT2005Database name=\"\u00DCn\u00EF\" host=\"srv\"/>",
               false),
         "https://srv/act.web.api", "\xC3\x9Cn\xC3\xAF"},
        {"UTF-16 big-endian", Utf16(u"<ACT2005Database name=\"db\" host=\"srv\"/>", true), "https://srv/act.web.api",
         "db"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + kPad, "https://CRM-SRV/act.web.api", "Sales Team"},
        {"names in other case", "<act2010database NAME=\"db\" HOST=\"srv\"/>", "https://srv/act.web.api", "db"},
        {"child elements", "<ActDatabase><Name> db </Name><Server>srv.example.com</Server></ActDatabase>",
         "https://srv.example.com/act.web.api", "db"},
        {"this machine", "<ACT2005Database name=\"db\" host=\".\"/>", "https://localhost/act.web.api", "db"},
        {"a SQL Server instance", "<ACT2005Database name=\"db\" host=\"SRV\\ACT7\"/>", "https://SRV/act.web.api", "db"},
        {"a full address", "<ACTDatabase name=\"db\" url=\"https://api.example.com/tenant-api/act.web.api/\"/>",
         "https://api.example.com/tenant-api/act.web.api", "db"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::TempDir dir;
        fwtest::WriteFile(dir.File("Sales.pad"), c.bytes);
        const Resolved r = Resolve({"", "", dir.File("Sales.pad"), "chris", "pw"});
        ASSERT_TRUE(r.ok) << r.error.message;
        EXPECT_EQ(r.base, c.base);
        EXPECT_EQ(r.database, c.database);
    }
}

TEST(ActPad, SettingsWinOverThePad) {
    fwtest::TempDir dir;
    fwtest::WriteFile(dir.File("Sales.pad"), kPad);
    const struct {
        const char* url;
        const char* database;
        const char* base;
        const char* wantDatabase;
    } cases[] = {
        {"https://other.example.com/act.web.api/", "", "https://other.example.com/act.web.api", "Sales Team"},
        {"", "Archive", "https://CRM-SRV/act.web.api", "Archive"},
        {"hosted.example.com", "Archive", "https://hosted.example.com/act.web.api", "Archive"},
        // A name goes into a header: line breaks are left out.
        {"", "Arch\r\nX-Evil: 1", "https://CRM-SRV/act.web.api", "ArchX-Evil: 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url + std::string("|") + c.database);
        const Resolved r = Resolve({c.url, c.database, dir.File("Sales.pad"), "", ""});
        ASSERT_TRUE(r.ok) << r.error.message;
        EXPECT_EQ(r.base, c.base);
        EXPECT_EQ(r.database, c.wantDatabase);
    }
    // Both settings: no pad needed.
    const Resolved r = Resolve({"https://h.example.com/act.web.api", "Db", "", "", ""});
    EXPECT_TRUE(r.ok);
}

TEST(ActPad, PadsThatCannotBeUsedSayWhatToDo) {
    const struct {
        const char* name;
        const char* file;
        std::string bytes;  // empty: not written
        const char* beside;
        const char* wants;  // a part of the message
    } cases[] = {
        {"missing", "Sales.pad", "", nullptr, "cannot be read"},
        {"not XML", "Sales.pad", "ACT! database pointer", nullptr, "cannot be read"},
        {"truncated XML", "Sales.pad", "<ACT2005Database name=\"x\" host=", nullptr, "cannot be read"},
        {"no server", "Sales.pad", "<ACT2005Database name=\"Sales\" location=\"C:\\ACT\"/>", nullptr, "ACTWebAPIURL"},
        {"no database name", "Sales.pad", "<ACT2005Database host=\"srv\"/>", nullptr, "ACTDatabaseName"},
        {"a dBASE contact file", "CONTACTS.DBF", "\x03junk", nullptr, "File, Export"},
        {"an old activity file", "contacts.adb", "junk", nullptr, "File, Export"},
        {"dBASE files beside", "Sales.pad", "not a pad", "CONTACT.DBF", "older ACT!"},
        {"dBASE files beside, no server", "Sales.pad", "<ACT2005Database name=\"Sales\"/>", "x.dbf", "older ACT!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fwtest::TempDir dir;
        if (!c.bytes.empty()) fwtest::WriteFile(dir.File(c.file), c.bytes);
        if (c.beside) fwtest::WriteFile(dir.File(c.beside), "\x03");
        const Resolved r = Resolve({"", "", dir.File(c.file), "chris", "pw"});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error.kind, act::Error::Kind::BadPad);
        EXPECT_NE(r.error.message.find(c.wants), std::string::npos) << r.error.message;
    }
    EXPECT_EQ(Resolve({"", "", "", "", ""}).error.kind, act::Error::Kind::BadPad);
}

}  // namespace
