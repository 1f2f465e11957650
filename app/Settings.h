#pragma once
// The settings record and the settings file "FRWY.ini" (section "FRWY").
// Read once at start, written once at exit; the pages change the record in
// between.
#include <cstdint>

class CxIniUtil;

struct Settings {
    std::int32_t SourceApp;
    std::int32_t EnableDebug;
    std::int32_t LogLevel;
    std::int32_t SyncAddr;
    std::int32_t SyncDate;
    std::int32_t SyncTask;
    std::int32_t SyncNote;
    std::int32_t NewColor;
    std::int32_t DiffColor;
    std::int32_t SameColor;

    char LNAppName[256];
    char LNAddrName[256];
    char LNDateName[256];
    char LNNoteName[256];
    std::int32_t LNSavePassword;
    std::int32_t LNNeedPassword;
    char LNPassword[256];
    char LNIDFile[256];

    char ACTPadName[256];
    std::int32_t ACTSaveUser;
    std::int32_t ACTSavePassword;
    char ACTUserName[64];
    char ACTPassword[256];
    char ACTAppName[256];
    std::int32_t Opp;
    std::int32_t OppNotes;

    std::int32_t PDUserID;
    std::int32_t PDUseAddrFile;
    std::int32_t PDUseDateFile;
    std::int32_t PDUseTaskFile;
    std::int32_t PDUseNoteFile;
    char PDAddrFileName[256];
    char PDDateFileName[256];
    char PDTaskFileName[256];
    char PDNoteFileName[256];

    std::int32_t GGSaveEmail;
    char GGEmail[64];
    std::int32_t GGSavePassword;
    char GGPassword[256];

    std::int32_t OLMode;
    char OLAppName[260];

    // The CRM services' keys, kept for their adapters.
    char DNHostName[256];
    std::int32_t DNSaveOrg;
    std::int32_t DNSaveID;
    std::int32_t DNSavePassword;
    std::int32_t DNAuthMode;
    char DNOrg[256];
    char DNLiveID[256];
    char DNPassword[256];
    std::int32_t DNAddrAccount;
    std::int32_t DNAddrContact;
    std::int32_t DNAddrLead;
    std::int32_t SFSaveUser;
    std::int32_t SFSavePassword;
    std::int32_t SFSaveToken;
    char SFUserName[256];
    char SFPassword[256];
    char SFToken[256];
    std::int32_t SFAddrAccount;
    std::int32_t SFAddrContact;
    std::int32_t SFAddrLead;
    char SGHostName[256];
    std::int32_t SGSaveUser;
    std::int32_t SGSavePassword;
    char SGUserName[256];
    char SGPassword[256];
    std::int32_t SGAddrAccount;
    std::int32_t SGAddrContact;
    std::int32_t SGAddrLead;

    // Custom field maps: the field id for slots 1 to 9 (index 0 unused).
    std::int32_t ACTCustomID[10];
    std::int32_t GGCustomID[10];
    std::int32_t LNCustomID[10];
    std::int32_t OLCustomID[10];
    std::int32_t PDCustomID[10];
    char OLCustomLabel[10][64];
    char GGCustomLabel[10][64];
    std::int32_t ACTCustom;
    std::int32_t GGCustom;
    std::int32_t LNCustom;
    std::int32_t OLCustom;
    std::int32_t PDCustom;

    // The legacy code page of Palm Desktop .dat texts.
    char PDCodePage[64];
    // The Outlook store folder chosen on the Outlook page; empty for the
    // default one.
    char OLStorePath[260];
    // Google: an export to read instead of the account online (a Takeout
    // archive, its folder, or a .vcf, .ics or .csv file), the CardDAV or
    // CalDAV server, and the OAuth client this program was registered as.
    char GGExportPath[260];
    char GGServerURL[260];
    char GGOAuthClientID[260];
    char GGOAuthClientSecret[260];
    // ACT!: the Act! Web API's base address, for a server that is not the
    // database's host or a hosted database without a ".pad" file, and the
    // database name used when there is no ".pad" file.
    char ACTWebAPIURL[260];
    char ACTDatabaseName[260];
};

// Zeroes the record, then fills it key by key; missing keys (or a missing
// file) give the defaults.
void ReadSettings(Settings& settings, CxIniUtil& ini);
// Writes every key, in order, replacing the file once.
bool WriteSettings(const Settings& settings, CxIniUtil& ini);

// The same on a file path.
void ReadSettings(Settings& settings, const char* path);
bool WriteSettings(const Settings& settings, const char* path);

// The section that holds every key.
inline constexpr const char* kSettingsSection = "FRWY";
