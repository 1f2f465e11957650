#include "common/palm/PmUserFile.h"

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmAddrEx2Util.h"
#include "common/palm/PmAddrUtil.h"
#include "common/palm/PmDateEx2Util.h"
#include "common/palm/PmDateUtil.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmMemoEx2Util.h"
#include "common/palm/PmMemoUtil.h"
#include "common/palm/PmTodoEx2Util.h"
#include "common/palm/PmTodoUtil.h"
#include "common/palm/PmUsers.h"
#include "common/records/CommKinds.h"
#include "platform/paths/Paths.h"

namespace {

struct KindFiles {
    const char* datFolder;
    const char* datFile;
    const char* mdbFolder;
    const char* mdbFile;
    const char* word;  // in the log lines
};

constexpr KindFiles kFiles[CommKindCount] = {
    {"address", "address.dat", "address", "Address.mdb", "Contacts"},
    {"datebook", "datebook.dat", "datebook", "DateBook.mdb", "Calendar"},
    {"todo", "todo.dat", "todo", "Todolist.mdb", "Tasks"},
    {"memopad", "memopad.dat", "MemoPad", "MemoPad.mdb", "Memos"},
};

bool KnownKind(int kind) { return kind >= 0 && kind < CommKindCount; }

}  // namespace

const char* PmUserFolderName(int kind, int generation) {
    if (!KnownKind(kind)) return nullptr;
    if (generation == kPmGenEarly || generation == kPmGenEx) return kFiles[kind].datFolder;
    return generation == kPmGenEx2 ? kFiles[kind].mdbFolder : nullptr;
}

const char* PmUserFileName(int kind, int generation) {
    if (!KnownKind(kind)) return nullptr;
    if (generation == kPmGenEarly || generation == kPmGenEx) return kFiles[kind].datFile;
    return generation == kPmGenEx2 ? kFiles[kind].mdbFile : nullptr;
}

bool PmUserFilePath(std::uint32_t userId, int kind, int generation, std::string& path) {
    path.clear();
    const char* folder = PmUserFolderName(kind, generation);
    const char* file = PmUserFileName(kind, generation);
    char data[kPmPathSize];
    if (folder == nullptr || file == nullptr || !GetUserDataPath(userId, data)) return false;
    std::string full = std::string(data) + folder + platform::kPathSeparator + file;
    if (full.size() >= kPmPathSize) return false;
    path = std::move(full);
    return true;
}

namespace {

// The first steps of a 4.1.4 or 6.x reader's load by user, with their log
// lines: the path of the user's file; false when it cannot be built.
bool PmUserFilePathLogged(std::uint32_t userId, int kind, int generation, std::string& path) {
    if (!KnownKind(kind)) return false;
    CX_LOG(kLogDetail, "Start loading Palm Desktop %s by user ID: %d", kFiles[kind].word, static_cast<int>(userId));
    if (!PmUserFilePath(userId, kind, generation, path)) {
        CX_LOG(kLogCritical, "Failed to get user database path by user ID.");
        return false;
    }
    CX_LOG(kLogDetail, "Get user file successfully, try loading file:%s", path.c_str());
    return true;
}

// How a reader's load by user logs.
enum class UserFileLines {
    Ex,            // 4.1.4 and 6.x readers
    EarlyAddress,  // the earlier address book
    EarlyMemo,     // the earlier memo pad
    Quiet,         // the earlier datebook and to-do list
};

template <class Reader>
bool LoadWith(Reader& reader, std::uint32_t userId, int kind, int generation, UserFileLines lines) {
    const int id = static_cast<int>(userId);
    std::string path;
    if (lines == UserFileLines::Ex) {
        if (!PmUserFilePathLogged(userId, kind, generation, path)) return false;
        return reader.LoadFile(path.c_str());
    }
    if (!PmUserFilePath(userId, kind, generation, path)) {
        switch (lines) {
        case UserFileLines::Ex: break;
        case UserFileLines::EarlyAddress:
            CX_LOG(kLogCritical, "Failed to get Palm Desktop data path by user, User ID=%d", id);
            break;
        case UserFileLines::EarlyMemo:
            CX_LOG(kLogCritical, "Can not get Palm Desktop user data path. User ID=%d", id);
            break;
        case UserFileLines::Quiet: break;
        }
        return false;
    }
    if (lines == UserFileLines::EarlyAddress)
        CX_LOG(kLogDetail, "Loading Palm Desktop address book file by user: User(%d) - File(%s)", id, path.c_str());
    return reader.LoadFile(path.c_str());
}

}  // namespace

bool PmLoadUserFile(PmAddrUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindAddr, kPmGenEarly, UserFileLines::EarlyAddress);
}
bool PmLoadUserFile(PmAddrExUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindAddr, kPmGenEx, UserFileLines::Ex);
}
bool PmLoadUserFile(PmDateUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindDate, kPmGenEarly, UserFileLines::Quiet);
}
bool PmLoadUserFile(PmDateExUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindDate, kPmGenEx, UserFileLines::Ex);
}
bool PmLoadUserFile(PmTodoUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindTask, kPmGenEarly, UserFileLines::Quiet);
}
bool PmLoadUserFile(PmTodoExUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindTask, kPmGenEx, UserFileLines::Ex);
}
bool PmLoadUserFile(PmMemoUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindNote, kPmGenEarly, UserFileLines::EarlyMemo);
}
bool PmLoadUserFile(PmMemoExUtil& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindNote, kPmGenEx, UserFileLines::Ex);
}
bool PmLoadUserFile(PmAddrEx2Util& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindAddr, kPmGenEx2, UserFileLines::Ex);
}
bool PmLoadUserFile(PmDateEx2Util& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindDate, kPmGenEx2, UserFileLines::Ex);
}
bool PmLoadUserFile(PmTodoEx2Util& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindTask, kPmGenEx2, UserFileLines::Ex);
}
bool PmLoadUserFile(PmMemoEx2Util& reader, std::uint32_t userId) {
    return LoadWith(reader, userId, CommKindNote, kPmGenEx2, UserFileLines::Ex);
}
