#include "helpers/act/ActMessages.h"

#include "platform/text/AsciiCase.h"

namespace act_helper {

namespace {
const char* const kMakeExport =
    "In ACT!, make a text export of the contacts (File, Export, text-delimited, with field names) and choose that "
    "file.";
}  // namespace

std::string ExportHoldsContactsOnly() {
    return "An ACT! text export holds contacts only; choose Contacts alone, or the database.";
}

std::string ExportUnreadable(const std::string& path, const std::string& cause) {
    return "The ACT! text export " + path + " cannot be read: " + cause;
}

std::string ExportEmpty(const std::string& path) {
    return "The ACT! text export " + path + " is empty. " + kMakeExport;
}

std::string ExportNotATable(const std::string& path) {
    return "The file " + path + " is not an ACT! text export: its first line names no ACT! contact field. " +
           kMakeExport;
}

std::string OldDatabase(const std::string& path) {
    return "The database " + path + " is of an older ACT! (dBASE files), which this program cannot read. " +
           kMakeExport;
}

std::string NothingChosen() {
    return "No ACT! database is chosen. Choose the database's \".pad\" file or a text export of the contacts, or "
           "set the address of the Act! Web API (setting ACTWebAPIURL).";
}

std::string DataFileUnwritable(const std::string& path) { return "The data file " + path + " cannot be written."; }

std::string Stopped() { return "Reading from ACT! was stopped."; }

std::string FetchErrorText(const act::Error& error, const std::string& database) {
    if (!error.message.empty()) return error.message;
    switch (error.kind) {
    case act::Error::Kind::Unauthorized: return "The ACT! user name or password was not accepted.";
    case act::Error::Kind::Unreachable:
        return "The ACT! server could not be reached. Check the network connection and the server named by the "
               "database file (or the setting ACTWebAPIURL), or choose a text export of the contacts.";
    case act::Error::Kind::BadPad:
        if (database.empty())
            return "Without a \".pad\" file the Act! Web API needs the database name (setting ACTDatabaseName) "
                   "and its address (setting ACTWebAPIURL). Set both, or choose a text export of the contacts.";
        return "The ACT! database file " + database +
               " names no server that this program can reach. Set the Act! Web API address (setting "
               "ACTWebAPIURL), or choose a text export of the contacts.";
    case act::Error::Kind::Protocol:
        return "The ACT! server gave an answer that this program cannot read. Choose a text export of the contacts "
               "instead.";
    case act::Error::Kind::Stopped: return Stopped();
    case act::Error::Kind::None: break;
    }
    return "Reading from ACT! failed.";
}

bool IsOldDatabaseName(std::string_view path) {
    return platform::EndsWithNoCase(path, ".dbf") || platform::EndsWithNoCase(path, ".adb");
}

std::string Thousands(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return value < 0 ? "-" + digits : digits;
}

std::string ReadingLine(const char* noun, const char* plural, int done, int total) {
    if (done <= 0) return std::string("Reading ACT! ") + plural + " ...";
    std::string line = std::string("Reading ACT! ") + noun;
    line += " " + Thousands(done);
    if (total > 0) line += " of " + Thousands(total);
    return line + " ...";
}

std::string WithoutSecret(std::string text, const std::string& secret) {
    if (secret.empty()) return text;
    for (std::size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at + 3))
        text.replace(at, secret.size(), "***");
    return text;
}

}  // namespace act_helper
