#pragma once
// The Outlook session shared by the four Outlook adapters, and the base of
// those adapters.
//
// One automation connection to "Outlook.Application" serves the whole
// process. Every adapter that starts counts as a user of it; the last one
// to stop releases Outlook. An adapter runs the base Init and then its own,
// so one adapter counts as two users.
#include <cstdint>

#include "common/misc/DispCmd.h"
#include "common/outlook/OlProps.h"
#include "platform/outlook/OutlookEnums.h"

// What MigrateRecord did with one source record.
enum OlMigrateResult : int {
    OlMigrateFailed = -1,    // the item could not be created or written
    OlMigrateUnchanged = 0,  // Outlook already holds the same item; nothing written
    OlMigrateCreated = 1,
    OlMigrateUpdated = 2,
};

// True for the results that leave Outlook holding the record.
inline bool OlMigrateSucceeded(OlMigrateResult r) { return r != OlMigrateFailed; }

class OlBaseUtil {
public:
    OlBaseUtil();
    virtual ~OlBaseUtil();
    OlBaseUtil(const OlBaseUtil&) = delete;
    OlBaseUtil& operator=(const OlBaseUtil&) = delete;

    // Base: Clear, then true.
    virtual bool Load();
    // Base: nothing to empty.
    virtual void Clear();
    // Base: connected = Start().
    virtual void Init();
    // Base: Clear, then Stop.
    virtual void Close();
    // Starts or joins the connection.
    virtual bool Start();
    // Leaves the connection; the last user releases Outlook.
    virtual void Stop();

    bool IsConnected() const { return m_connected; }

    // The connection's Outlook version class, 0 to 6.
    static int GetVersionClass() { return s_versionClass; }
    // Users of the connection.
    static int GetUserCount() { return s_users; }
    // The version class from the registered OUTLOOK.EXE; 0 when it cannot
    // be read.
    static int ComputeVersionClass();
    // The class of the "Version" text of a running Outlook; 0 when it has none.
    static int VersionClassOfText(CDispCmd& application);
    // The class of a major version number.
    static int VersionClassOf(int major);

protected:
    CDispCmd m_application;  // the connection's, copied while started
    CDispCmd m_nameSpace;
    IUnknown* m_appObject = nullptr;  // borrowed from the connection
    bool m_connected = false;
    int m_shares = 0;  // how many of the connection's users this adapter is
    OlPropIds m_propIds;  // of this connection's items

private:
    static bool s_started;
    static CDispCmd s_application;
    static CDispCmd s_nameSpace;
    static IUnknown* s_appObject;
    static int s_users;
    static int s_versionClass;
};
