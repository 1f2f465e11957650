#pragma once
// Palm Desktop's user library, answered from the Palm Desktop folder: the
// users listed in its "USERS.DAT" when the file is there, else its
// subfolders that hold Palm data folders ("address", "datebook", "todo",
// "memopad"). The data root is the Palm Desktop folder itself.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct PalmUser {
    std::uint32_t id = 0;   // the HotSync ID
    std::string name;       // the user's name
    std::string directory;  // the user's folder below the data root
};

// The users of a "USERS.DAT" file's bytes: a 16-bit count; the first user
// follows the new-class mark 0xFFFF with the class entry (schema, name
// length, "CUser"), later users the class reference 0x8001; each user is a
// 32-bit HotSync ID, a length byte and the name, a length byte and the
// folder name, then data of its own up to the next user's mark. A user
// whose folder name could leave the data root ("..", separators) is left
// out. False when the bytes are not such a file.
bool ParseUsersDat(const std::string& bytes, std::vector<PalmUser>& users);

// True when a library of Palm Desktop (for example "UserData.dll") lies in
// the folder; this is what loading it means here.
bool PalmLibraryPresent(const std::string& palmFolder, const std::string& fileName);

class PalmUserLibrary {
public:
    // Reads the users of a Palm Desktop folder; false when the folder does
    // not exist (the calls then answer as an unloaded library).
    bool Load(const std::string& palmFolder);
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // The five calls. Texts are copied into `buffer` of `*length` bytes
    // (terminator included, cut without splitting a character), and
    // `*length` becomes the text's length. An unloaded library answers -100.
    std::int16_t UmGetUserCount() const;
    // 0 and the ID of the user at an index; -1 for an index outside the list.
    int UmGetUserID(std::int16_t index, std::uint32_t* id) const;
    // 0 and the name; -1 for an unknown ID, -2 for a missing buffer.
    int UmGetUserName(std::uint32_t id, char* buffer, std::int16_t* length) const;
    // 0 and the folder name; -1 for an unknown ID, -2 for a missing buffer.
    int UmGetUserDirectory(std::uint32_t id, char* buffer, std::int16_t* length) const;
    // Non-zero and the data root (ending with a separator) when found; 0 when
    // the root does not fit or no buffer is given.
    int UmGetRootDirectory(char* buffer, std::int16_t* length) const;

    const std::vector<PalmUser>& Users() const { return m_users; }

private:
    const PalmUser* Find(std::uint32_t id) const;
    bool m_loaded = false;
    std::string m_root;
    std::vector<PalmUser> m_users;
};

}  // namespace platform
