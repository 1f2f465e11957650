// The adapters built into the program, registered for their application
// and record kind (see AppAdapters.h for the one-line form).
#include "app/AdapterTable.h"
#include "app/AppAdapters.h"
#include "app/AppIds.h"

void WireAdapters() {}
