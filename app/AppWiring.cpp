// The adapters built into the program, registered for their application
// and record kind (see AppAdapters.h for the one-line form).
#include "app/AdapterTable.h"
#include "app/AppAdapters.h"
#include "app/AppIds.h"
#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"
#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "common/outlook/OlAddr.h"
#include "common/outlook/OlDate.h"
#include "common/outlook/OlNote.h"
#include "common/outlook/OlTask.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"

void WireAdapters() {
    RegisterAdapterFactory(kAppPalm, CommKindAddr, &CreatePalmAdapter<PmAddrInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindDate, &CreatePalmAdapter<PmDateInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindTask, &CreatePalmAdapter<PmTodoInfo>);
    RegisterAdapterFactory(kAppPalm, CommKindNote, &CreatePalmAdapter<PmMemoInfo>);
    RegisterAdapterFactory(kAppGoogle, CommKindAddr, &CreateBridgeAdapter<CxGAddrUtil>);
    RegisterAdapterFactory(kAppGoogle, CommKindDate, &CreateBridgeAdapter<CxGDateUtil>);
    RegisterAdapterFactory(kAppACT, CommKindAddr, &CreateBridgeAdapter<CxACTAddrUtil>);
    RegisterAdapterFactory(kAppACT, CommKindDate, &CreateBridgeAdapter<CxACTDateUtil>);
    RegisterAdapterFactory(kAppACT, CommKindTask, &CreateBridgeAdapter<CxACTTaskUtil>);
    RegisterAdapterFactory(kAppACT, CommKindNote, &CreateBridgeAdapter<CxACTNoteUtil>);
    RegisterAdapterFactory(kAppLotus, CommKindAddr, &CreateBridgeAdapter<CxLNAddrUtil>);
    RegisterAdapterFactory(kAppLotus, CommKindDate, &CreateBridgeAdapter<CxLNDateUtil>);
    RegisterAdapterFactory(kAppLotus, CommKindTask, &CreateBridgeAdapter<CxLNTaskUtil>);
    RegisterAdapterFactory(kAppLotus, CommKindNote, &CreateBridgeAdapter<CxLNNoteUtil>);
    RegisterAdapterFactory(kAppOutlook, CommKindAddr, &CreateOutlookAdapter<OlAddrUtil>);
    RegisterAdapterFactory(kAppOutlook, CommKindDate, &CreateOutlookAdapter<OlDateUtil>);
    RegisterAdapterFactory(kAppOutlook, CommKindTask, &CreateOutlookAdapter<OlTaskUtil>);
    RegisterAdapterFactory(kAppOutlook, CommKindNote, &CreateOutlookAdapter<OlNoteUtil>);
}
