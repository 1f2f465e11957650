#include "app/FieldCatalogue.h"

#include "app/AppIds.h"
#include "common/ACT/CxACTAddrUtil.h"
#include "common/google/CxGAddrUtil.h"
#include "common/lotus/CxLNAddrUtil.h"
#include "common/palm/PmAddrInfo.h"

namespace {

template <class Util>
std::vector<FieldCatalogueEntry> EntriesOf() {
    std::vector<FieldCatalogueEntry> entries;
    const int count = Util::GetFieldCount();
    entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        const int id = Util::GetFieldID(i);
        const char* label = Util::GetFieldLabel(i);
        if (id != 0) entries.push_back({id, label != nullptr ? label : ""});
    }
    return entries;
}

std::vector<FieldCatalogueEntry> PalmEntries(const Settings& s) {
    const int generation = PmAddrInfo::CatalogueGeneration(s.PDUseAddrFile != 0, s.PDAddrFileName);
    int count = 0;
    const PmFieldInfo* rows = PmAddrInfo::Catalogue(generation, &count);
    std::vector<FieldCatalogueEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) entries.push_back({rows[i].FieldID, rows[i].Label});
    return entries;
}

}  // namespace

std::vector<FieldCatalogueEntry> ContactFieldCatalogue(int appId, const Settings& settings) {
    switch (appId) {
    case kAppACT: return EntriesOf<CxACTAddrUtil>();
    case kAppGoogle: return EntriesOf<CxGAddrUtil>();
    case kAppLotus: return EntriesOf<CxLNAddrUtil>();
    case kAppPalm: return PalmEntries(settings);
    default: return {};
    }
}
