#pragma once
// The driver: the one place that knows every application. It keeps the
// settings and the adapter table, loads a target and a source application
// and compares their lists, and migrates the picked records into Outlook.
// All of it runs on the user-interface thread; the wait window shows while
// it works.
#include <cstddef>
#include <string>

#include "app/AdapterTable.h"
#include "app/AppIds.h"
#include "app/Settings.h"
#include "platform/ui/UserInterface.h"

// Finds or makes the data folder, reads the settings from "FRWY.ini" in it
// (or "norrbek.ini" in the program's folder when it cannot be made), points
// the debug log at it, and empties the adapter table.
void InitApplication();
// Writes the settings, destroys every adapter (a bridge whose helper still
// runs asks it to stop) and the picked-record lists, and lets the helper
// runners delete their parameter and data files.
void ExitApplication();

// The in-memory settings, read at start and written at exit.
Settings& AppSettings();
// The settings file in use.
const char* GetSettingsFilePath();

// The data folder "<application data>/norrbek/FRWY/" (made with its sibling
// "FRWYCommon" when missing), ending with a separator. False when a folder
// cannot be made or the path does not fit the buffer.
bool GetDataFolder(char* buffer, std::size_t size = 260);

// Hands the source's contact adapter (made when missing) the field ids of
// custom slots 1 to 9 from the settings, or 0 when the source's custom map
// is off.
void SetupCustomFieldMap(int sourceApp);

// Loads the target, then the source, comparing each source list with the
// target's list of its kind. True at once when both are the same.
bool LoadApplications(platform::WindowHandle owner, int sourceApp, int targetApp);
// Loads every kind of an application whose setting is on, in order; marks
// each against the adapter of `compareWith` when that exists. On the first
// failure it shows the kind's error message and stops.
bool LoadApplication(platform::WindowHandle owner, int appId, int compareWith);
// Reads one kind of an application again into the adapter an earlier load
// made, the way that load did, and marks it again against the adapter of
// `compareWith` when that exists, so that no record the target lacks is
// taken for one it holds. A failure is logged, not shown; false also when
// there is no such adapter.
bool ReloadApplicationKind(platform::WindowHandle owner, int appId, int kind, int compareWith);
// Migrates the picked records into the target; only Outlook (3) is a
// target. An exception from the migration shows the error report.
bool MigrateApplication(platform::WindowHandle owner, int targetApp);

// Default locations for the option pages.
bool FindActDatabase(char* buffer, std::size_t size = 260);
// An ACT! text export (a ".csv" or ".txt" file) rather than a database: it
// holds contacts only and is read without logging in.
bool IsActTextExport(const char* path);
// The ACT! program: "InstallPath" and "AppName" of the machine's ACT!
// install key, joined by a separator.
bool GetActProgramPath(char* buffer, std::size_t size = 260);
// The Outlook program registered under App Paths ("Path" followed by
// "OUTLOOK.EXE").
bool GetOutlookProgramPath(char* buffer, std::size_t size = 260);
bool GetNotesProgramPath(char* buffer, std::size_t size = 260);
bool GetNotesIdFilePath(char* buffer, std::size_t size = 260);
bool GetNotesAddressBookPath(char* buffer, std::size_t size = 260);
bool GetNotesNotebookPath(char* buffer, std::size_t size = 260);

// Versions the option pages show, as "major.minor.build.revision"; empty
// when none can be read. Outlook's is that of the registered program, else
// the one the Outlook that answers automation tells.
std::string GetOutlookVersionText();
std::string GetPalmDesktopVersionText();
std::string GetNotesVersionText();
// The file version of a program file in that form; empty when it has none.
std::string FileVersionText(const std::string& path);

// The Outlook store folder that loads and migrations use, ending with a
// separator: the folder $FRWY_OUTLOOK_STORE names (the batch mode's
// --store sets it), else the setting "OLStorePath", else the default
// folder. Makes the setting the store's folder when the environment names
// none.
std::string UseOutlookStore();
// True when the environment, not the settings, names the store folder.
bool OutlookStoreFromEnvironment();

// The records of a kind that the last migration created or updated in
// Outlook (records Outlook already held the same, and failed writes, do not
// count).
int GetMigratedCount(int kind);
// The records of a kind that the last migration could not write.
int GetFailedCount(int kind);

// The pause after each wait-window message, in milliseconds (200; lowered
// by tests and the batch mode).
void SetWaitPause(int ms);
