#pragma once
// The ".pad" file that ACT! writes for a database: a small XML document
// that names the database and the machine that hosts it, usually as
// <ACT2005Database name="..." host="..." location="..." type="Sql"/>.
// Element and attribute names are matched without regard to case; UTF-8
// and UTF-16 (with a byte-order mark) are read.
#include <string>

#include "helpers/act/ActFetch.h"

namespace act {

struct PadInfo {
    std::string database;  // the database name
    std::string host;      // the machine that hosts it
    std::string apiUrl;    // a full address of the API, when the file has one
};

// Reads the text of a ".pad" file. False when it is no XML document.
bool ReadPadText(const std::string& bytes, PadInfo& pad);

// The API's base address for a host name ("https://HOST/act.web.api");
// "." and "(local)" stand for this machine, and a SQL Server instance after
// a backslash is left off.
std::string BaseUrlForHost(const std::string& host);

// Where to read: the account's address and database name where given, the
// ".pad" file's otherwise. False with a `BadPad` error when the file cannot
// be read, names no server, or belongs to an older ACT! (dBASE files).
bool ResolveEndpoint(const Account& account, std::string& baseUrl, std::string& database, Error& error);

}  // namespace act
