#pragma once
// Reading the data file of a Palm Desktop user: the user's data folder,
// the kind's folder and the file name of the generation, read by the
// reader of that generation.
#include <cstdint>
#include <string>

class PmAddrUtil;
class PmAddrExUtil;
class PmDateUtil;
class PmDateExUtil;
class PmTodoUtil;
class PmTodoExUtil;
class PmMemoUtil;
class PmMemoExUtil;
class PmAddrEx2Util;
class PmDateEx2Util;
class PmTodoEx2Util;
class PmMemoEx2Util;

// The folder and file name of a kind's data file in a generation, e.g.
// "address" and "address.dat", or "MemoPad" and "MemoPad.mdb"; null for an
// unknown kind or generation.
const char* PmUserFolderName(int kind, int generation);
const char* PmUserFileName(int kind, int generation);

// The full path of a user's data file; false when the user's folder is not
// known or the path would be longer than 259 characters.
bool PmUserFilePath(std::uint32_t userId, int kind, int generation, std::string& path);

// Each reader's load by user: builds the path and reads the file with the
// reader's LoadFile. True when the file was read.
bool PmLoadUserFile(PmAddrUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmAddrExUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmDateUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmDateExUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmTodoUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmTodoExUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmMemoUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmMemoExUtil& reader, std::uint32_t userId);
bool PmLoadUserFile(PmAddrEx2Util& reader, std::uint32_t userId);
bool PmLoadUserFile(PmDateEx2Util& reader, std::uint32_t userId);
bool PmLoadUserFile(PmTodoEx2Util& reader, std::uint32_t userId);
bool PmLoadUserFile(PmMemoEx2Util& reader, std::uint32_t userId);
