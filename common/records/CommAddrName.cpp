#include "common/records/CommAddrName.h"

#include "platform/text/TextCopy.h"

namespace {

template <std::size_t N>
std::string_view TextOf(const char (&text)[N]) {
    return std::string_view(text, platform::TextLength(text));
}

}  // namespace

std::string CommContactName(const CommAddrRec& rec) {
    if (rec.DisplayName[0] != '\0') return std::string(TextOf(rec.DisplayName));
    std::string name;
    for (std::string_view part : {TextOf(rec.Prefix), TextOf(rec.FirstName), TextOf(rec.MiddleName),
                                  TextOf(rec.LastName), TextOf(rec.Suffix)}) {
        if (part.empty()) continue;
        if (!name.empty()) name += ' ';
        name += part;
    }
    return name;
}
