#pragma once
// Reading an ACT! database through the Act! Web API of the server that
// hosts it: the server and the database from the ".pad" file (or from the
// settings), a log-in with the ACT! user name and password, then the
// records page by page. HTTPS, plain HTTP only to loopback addresses.
#include <functional>
#include <string>
#include <vector>

#include "helpers/act/ActData.h"

namespace act {

struct Account {
    std::string apiUrl;    // the API's base address; empty: from the ".pad"
    std::string database;  // the database name; empty: from the ".pad"
    std::string padFile;   // may be empty when both of the above are given
    std::string user;
    std::string password;  // never logged, never on a command line
};

struct Error {
    enum class Kind {
        None,
        Unauthorized,  // user name or password refused
        Unreachable,   // no connection, DNS, TLS, time-out
        BadPad,        // the ".pad" cannot be read or names no server
        Protocol,      // an answer that is not what the API publishes
        Stopped,       // the program asked the helper to stop
    };
    Kind kind = Kind::None;
    std::string message;  // for the user (the error file); empty: the helper words it
    std::string detail;   // for the debug log; holds no secret
};

// Called often; true stops the work within a second.
using StopCheck = std::function<bool()>;
// Records read so far and in all (0 while unknown).
using Progress = std::function<void(int done, int total)>;

bool FetchContacts(const Account& account, std::vector<Contact>& contacts, Error& error, const StopCheck& stop,
                   const Progress& progress);
// Appointments, meetings and calls.
bool FetchCalendar(const Account& account, std::vector<Activity>& activities, Error& error, const StopCheck& stop,
                   const Progress& progress);
// To-do activities; with `opportunities`, the opportunities as to-dos too
// (their name as description), with their notes as the to-do's notes when
// `opportunityNotes` is on.
bool FetchTodos(const Account& account, bool opportunities, bool opportunityNotes, std::vector<Todo>& todos,
                Error& error, const StopCheck& stop, const Progress& progress);
bool FetchNotes(const Account& account, std::vector<Note>& notes, Error& error, const StopCheck& stop,
                const Progress& progress);

}  // namespace act
