#pragma once
// The texts the driver shows and the status files it watches while it
// loads an application, per application and record kind.
#include "common/records/CommKinds.h"

struct AppDescription {
    int appId;
    const char* loadingMessage;
    // Null for a kind the application does not offer.
    const char* kindMessages[CommKindCount];
    // "%s" stands for the adapter's error text.
    const char* kindErrors[CommKindCount];
    // "%s" stands for the exchange folder; null for applications without
    // helper programs.
    const char* statusFiles[CommKindCount];
    // Loaded through helper programs (needs the exchange folder).
    bool helperApp;
};

// The description of an application, or null for one the driver cannot
// load.
const AppDescription* DescribeApp(int appId);
