#pragma once
// What the driver knows of an adapter in its table: loading, clearing, the
// error of the last load, the list manager of its kind, and (for the target)
// migrating one picked record. Each family of adapters (helper bridges,
// Outlook adapters, Palm Desktop record sets) is wrapped once in a template
// of AppAdapters.h; the wrapper also hands the adapter the settings it
// needs before each load.
#include <string>
#include <variant>

class CommAddrMgr;
class CommDateMgr;
class CommTaskMgr;
class CommNoteMgr;
struct CommAddrRec;
struct CommDateRec;
struct CommTaskRec;
struct CommNoteRec;
struct Settings;

// The list manager of an adapter's kind.
using CommListRef = std::variant<std::monostate, CommAddrMgr*, CommDateMgr*, CommTaskMgr*, CommNoteMgr*>;
// One picked source record.
using CommRecordRef = std::variant<CommAddrRec*, CommDateRec*, CommTaskRec*, CommNoteRec*>;

// What a target made of one picked record.
enum class AppMigrateResult {
    Failed,     // the record could not be written
    Unchanged,  // the target already holds the same record
    Created,
    Updated,
};

// What a load is given.
struct AppLoadContext {
    const Settings& settings;
    // The exchange folder (the data folder, ending with a separator); empty
    // when it cannot be made.
    const std::string& dataFolder;
    int kind;  // CommRecordKind
};

class AppAdapter {
public:
    virtual ~AppAdapter() = default;
    // Hands the adapter its settings for the coming load.
    virtual void Configure(const AppLoadContext& context) { (void)context; }
    virtual bool Load(const AppLoadContext& context) = 0;
    // Empties the adapter before a later load.
    virtual void Clear() = 0;
    virtual bool HasError() const { return false; }
    virtual std::string GetErrorText() const { return std::string(); }
    virtual CommListRef GetList() = 0;
    // Writes one picked source record into the target application; adapters
    // that are never a target write nothing.
    virtual AppMigrateResult MigrateRecord(CommRecordRef record) {
        (void)record;
        return AppMigrateResult::Failed;
    }
    // Ends the migration of the adapter's kind: true once what it wrote is
    // kept; otherwise `error` tells why not.
    virtual bool EndMigration(std::string& error) {
        (void)error;
        return true;
    }
    // Custom field map of a contact adapter: slot 1 to 9 and the field id
    // (0 for none).
    virtual void SetCustomField(int slot, int fieldId) {
        (void)slot;
        (void)fieldId;
    }
};

// An adapter that wraps an object of type T, which pages may reach through
// FindAdapterObject<T> (AdapterTable.h).
template <class T>
class AppAdapterOf : public AppAdapter {
public:
    virtual T& Object() = 0;
};
