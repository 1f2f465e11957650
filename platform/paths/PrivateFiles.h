#pragma once
// Folders and files that only their owner may read. The data folder, the
// logs and the exchange files hold names, addresses, phone numbers and
// account data, so none of them is left readable by other users.
#include <cstdio>
#include <string>

namespace platform {

// Makes the folder with mode 0700, or narrows an existing folder to 0700.
// False, with the reason in `why` when given, when it cannot be made, is
// not a folder, or cannot be narrowed.
bool MakePrivateFolder(const std::string& path, std::string* why = nullptr);

// Opens a file for writing like std::fopen with a "w" or "a" mode ("+" and
// "b" allowed): a new file is created with mode 0600 and an existing one is
// narrowed to 0600 before anything is written. Other modes are refused.
// Null when the file cannot be opened.
std::FILE* OpenPrivateFile(const std::string& path, const char* mode);

// Narrows an existing file to mode 0600; false when it cannot.
bool MakeFilePrivate(const std::string& path);

// The permission bits of a file or folder (following links), or -1.
int FileMode(const std::string& path);

}  // namespace platform
