#pragma once
// The in-process automation server registered as "Outlook.Application":
// the application, its "MAPI" name space, the four default folders (9
// calendar, 10 contacts, 12 notes, 13 tasks), their items collections and
// the contact, appointment, task and note items with their user-defined
// properties and recurrence patterns, all over the store of Store.h.
#include <string>

#include "platform/automation/Automation.h"

namespace platform::outlook {

extern const CLSID CLSID_OutlookApplication;

// Makes "Outlook.Application" creatable. The application opens the store
// at `root`, or at Store::DefaultRoot() when `root` is empty, when it is
// run or first asked for its name space.
void RegisterOutlookApplication(const std::string& root = std::string());
void UnregisterOutlookApplication();

}  // namespace platform::outlook
