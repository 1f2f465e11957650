#pragma once
// The Palm Desktop installation: its folder, the version of its program
// file, and the data-file generation that each record kind of a user is
// read with for that version.
#include <cstddef>
#include <cstdint>
#include <string>

// GetPalmDesktopPath results.
enum PmDesktopPathResult : int {
    kPmPathFound = 0,
    kPmPathNoBuffer = -100,
    kPmPathNotFound = -101,
    kPmPathTooLong = -102,
};

// The version number when the folder or the version cannot be read; it
// counts as higher than every real version.
inline constexpr std::uint32_t kPmUnknownVersion = 0xFFFFFFFFu;

// Data-file generations: 1 the earlier .dat format, 2 the 4.1.4 .dat
// format, 3 a 6.x database; 0 none, 255 a failed load.
enum PmGeneration : int {
    kPmGenNone = 0,
    kPmGenEarly = 1,
    kPmGenEx = 2,
    kPmGenEx2 = 3,
    kPmGenFailed = 255,
};

// The Palm Desktop folder: "PDPath" of section "Path" in "norrbek.ini" in
// the program's folder, else "DesktopPath" of the Palm Desktop core key of
// the current user or of the local machine, else the folder of its
// "HotSyncPath" (ending with a separator). Windows paths are translated
// through the Wine prefix. Result 0 with the folder in the buffer, -100
// for a missing buffer or size 0, -101 when nothing gives a folder, -102
// when the folder does not fit the buffer (which is then left empty).
int GetPalmDesktopPath(char* buffer, std::size_t size);

// The file version of "palm.exe" in the Palm Desktop folder as major x 10000
// + minor x 100 + third component (4.1.4 gives 40104); kPmUnknownVersion
// when the folder or the version cannot be read.
std::uint32_t GetPalmDesktopVersion();

// The generation that the data of a user of record kind `kind`
// (CommRecordKind) is read with under Palm Desktop version `version`.
int PmInstalledGeneration(int kind, std::uint32_t version);

// The folder in which "norrbek.ini" is looked for: the program's folder,
// unless a test has set another one (an empty text restores it).
std::string PmProgramFolder();
void PmSetProgramFolder(const std::string& folder);
