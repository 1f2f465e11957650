#pragma once
// "ferrywise --batch": a whole migration without windows. The options name
// the source, the kinds, the Palm user or files and the Outlook store; what
// they leave out comes from the settings file. The settings file itself is
// left as it was.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct BatchOptions {
    bool help = false;
    std::optional<int> source;              // AppId
    std::optional<std::vector<int>> kinds;  // CommRecordKind values
    std::optional<int> palmUser;
    std::optional<std::string> palmFile[4];  // per kind
    std::optional<std::string> store;        // the Outlook store folder
    // Google: the account, an export to read instead of the account, the
    // CardDAV/CalDAV server and the OAuth client id. The password and the
    // client secret never come from the command line.
    std::optional<std::string> googleEmail;
    std::optional<std::string> googleExport;
    std::optional<std::string> googleServer;
    std::optional<std::string> googleClientId;
    // ACT!: the database (a ".pad" file or a text export), the user name,
    // the Act! Web API's address, the database name and the opportunity
    // switch. The password never comes from the command line.
    std::optional<std::string> actPad;
    std::optional<std::string> actUser;
    std::optional<std::string> actApiUrl;
    std::optional<std::string> actDatabase;
    std::optional<bool> actOpportunities;
    // Lotus Notes: the address book, the mail database (calendar and to-dos)
    // and the notebook, each a path as the wizard's pages take it (a local
    // file or "server!!database").
    std::optional<std::string> notesContacts;
    std::optional<std::string> notesMail;
    std::optional<std::string> notesNotebook;
    // Asks for the password when neither the environment nor the settings
    // hold one; unset, it asks on the terminal without echo.
    std::function<bool(const std::string& prompt, std::string& answer)> askPassword;
    bool selectAll = false;  // pick Same records too
    bool dryRun = false;     // load and compare only
};

// Reads the options after "--batch". False with a message for bad input.
bool ParseBatchOptions(const std::vector<std::string>& args, BatchOptions& options, std::string& error);

// The text of --help.
const char* BatchUsage();

// Runs the migration and prints its report to `out`. Returns the process's
// exit status: 0 when the load and the migration succeeded, 1 when either
// failed (or a record could not be written), 2 for bad options.
int RunBatch(const BatchOptions& options, std::FILE* out);
