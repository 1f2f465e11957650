#pragma once
// The helper programs and their exchange files: one helper per application
// and data kind, each with its own parameter, data, status, error and
// control file in the exchange folder. Both this program and the helpers
// use these names.
#include <cstdint>

#include "common/records/CommKinds.h"

enum CxHelperApp : int {
    kHelperAppGoogle,
    kHelperAppACT,
    kHelperAppLotus,
};

enum CxHelperKindId : int {
    kHelperGAddr,
    kHelperGDate,
    kHelperACTAddr,
    kHelperACTDate,
    kHelperACTTask,
    kHelperACTNote,
    kHelperLNAddr,
    kHelperLNDate,
    kHelperLNTask,
    kHelperLNNote,
    kHelperKindCount,
};

struct CxHelperKind {
    CxHelperKindId id;
    CxHelperApp app;
    CommRecordKind kind;
    const char* helper;       // program file name, e.g. "Norrbek.GoogleContacts.exe"
    const char* paramFile;    // e.g. "GAddrParam.dat"
    const char* dataFile;     // e.g. "GAddr.dat"
    const char* statusFile;   // e.g. "GAddrStatus.dat"
    const char* errorFile;    // e.g. "GAddrErr.dat"
    const char* controlFile;  // e.g. "GAddrData.ini"
};

// The entry of a kind; ids out of range give the Google contacts entry.
const CxHelperKind& GetHelperKind(int id);
// The entry whose helper program has this file name (with or without a
// folder and the ".exe" suffix, without regard to case), or null.
const CxHelperKind* FindHelperKind(const char* programName);

// Where each application's parameter file holds the values every helper
// needs.
struct CxExchangeParamIds {
    std::int32_t dataFile;
    std::int32_t folder;
    std::int32_t operation;
    std::int32_t errorFile;
    std::int32_t statusFile;
    std::int32_t logFolder;
    std::int32_t logFile;
    std::int32_t logLevel;
    std::int32_t debug;
};
const CxExchangeParamIds& GetExchangeParamIds(CxHelperApp app);

// Value type of every parameter this program writes: a text.
inline constexpr std::int32_t kParamTypeText = 8;
// The operation a helper is started for.
inline constexpr const char* kOperationLoad = "1";
// The name of the debug log passed to the helpers.
inline constexpr const char* kHelperLogFileName = "appdebug.log";
// The Google calendar helper also writes the calendars file.
inline constexpr const char* kGoogleCalendarsFile = "GCal.dat";
