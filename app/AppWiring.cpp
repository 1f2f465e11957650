// The adapters built into the program, registered for their application
// and record kind (see AppAdapters.h for the one-line form).
#include "app/AdapterTable.h"
#include "app/AppAdapters.h"
#include "app/AppIds.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"

void WireAdapters() {
    RegisterAdapterFactory(kAppPalm, CommKindAddr, &CreatePalmAdapter<PmAddrInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindDate, &CreatePalmAdapter<PmDateInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindTask, &CreatePalmAdapter<PmTodoInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindNote, &CreatePalmAdapter<PmMemoInfo>);
}
