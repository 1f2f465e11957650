#include "common/records/CommTypes.h"

const char* CommSourceTypeLabel(std::int32_t type) {
    static const char* const kLabels[] = {
        "",
        "Palm",
        "Palm(4.1.2 and aboves)",
        "Outlook",
        "Windows Address Book",
        "MSN",
        "ICQ",
        "Yahoo",
        "Google",
        "Domino",
        "Endora",
        "CSV",
        "XML",
        "VCard",
        "Database",
        "NorrbekContact",
    };
    if (type < 0 || type >= static_cast<std::int32_t>(sizeof kLabels / sizeof kLabels[0])) return "";
    return kLabels[type];
}
