#pragma once
// Palm Desktop's users: the four libraries of the installation, the
// process-wide user list read through the user library, and the data
// folder of a user.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One Palm Desktop user.
struct PalmUserEntry {
    std::uint32_t UserID;
    char UserName[64];
    char UserDirectory[256];  // the user's folder below the data root
};

// The libraries, as bit flags of LoadPalmLibraries.
enum PmPalmLibrary : unsigned {
    kPmLibCondMgr = 1,   // "condmgr.dll"
    kPmLibUserData = 2,  // "UserData.dll", the user library
    kPmLibHSAPI = 4,     // "HSAPI.DLL"
    kPmLibInstAide = 8,  // "instaide.dll"
    kPmLibAll = 15,
};

// Loads each flagged library from the Palm Desktop folder, in the order
// above, unloading it first when it is loaded; stops at the first that
// fails. True when every flagged library was loaded.
bool LoadPalmLibraries(unsigned flags);
// Whether a library (one flag) is loaded.
bool IsPalmLibraryLoaded(unsigned flag);

// Builds the user list once per process: loads the libraries from the
// Palm Desktop folder and asks the user library for its users. Without a
// Palm Desktop folder nothing happens and a later call tries again. When
// the user library answers no count, the message "Can not find any Palm
// users in your desktop environment." is shown.
void LoadPalmUsers();
bool PalmUsersLoaded();
// The user list, in the user library's order.
const std::vector<std::unique_ptr<PalmUserEntry>>& GetPalmUsers();

// The calls of the user library; each answers -100 while the library is
// not loaded.
std::int16_t PmUmGetUserCount();
int PmUmGetUserID(std::int16_t index, std::uint32_t* id);
int PmUmGetUserName(std::uint32_t id, char* buffer, std::int16_t* length);
int PmUmGetUserDirectory(std::uint32_t id, char* buffer, std::int16_t* length);
int PmUmGetRootDirectory(char* buffer, std::int16_t* length);

// The data folder of a user into `buffer` of 260 bytes: the data root, the
// user's folder and a separator. False for a missing buffer, a user the
// user library does not know, or a path over 259 characters. Loads the
// user list first when it has not been loaded.
inline constexpr std::size_t kPmPathSize = 260;
bool GetUserDataPath(std::uint32_t userId, char* buffer);

// Forgets the user list and unloads the libraries (for tests).
void PmResetPalmUsers();
