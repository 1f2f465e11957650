// Any text as Notes' vCard export of an address book: no vCard at all is
// refused with a message, anything else gives records whose texts are all
// UTF-8 and whose dates are numbers (negative before 1900: a birthday
// without a year is in 1604); a sink that ends the reading after the first
// record gets no second one.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/lotus/PimExport.h"
#include "platform/text/Utf8.h"

namespace {

bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        if (platform::DecodeUtf8(text, i) == 0xFFFD && text.compare(at, 3, "\xEF\xBF\xBD") != 0) return false;
    }
    return true;
}

struct Check : lotus_helper::LnRecordSink {
    std::size_t count = 0, limit = 0;
    bool Contact(const lotus_helper::LnContact& r) override {
        for (const auto& [id, text] : r.text)
            if (id < 1 || id > 44 || !IsUtf8(text)) __builtin_trap();
        for (const std::string* t : {&r.note, &r.category})
            if (!IsUtf8(*t)) __builtin_trap();
        for (std::size_t i = 0; i < r.customValue.size(); ++i)
            if (!IsUtf8(r.customValue[i]) || !IsUtf8(r.customLabel[i])) __builtin_trap();
        for (double d : {r.birthDate, r.anniversary})
            if (!std::isfinite(d)) __builtin_trap();
        return ++count != limit;
    }
    bool Entry(const lotus_helper::LnEntry&) override { __builtin_trap(); }
    bool Todo(const lotus_helper::LnTodo&) override { __builtin_trap(); }
    bool Document(const lotus_helper::LnDocument&) override { __builtin_trap(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check all;
    std::string error;
    const bool ok = lotus_helper::ReadVCardExport(text, all, error);
    if (ok == !error.empty()) __builtin_trap();
    Check one;
    one.limit = 1;
    const bool read = lotus_helper::ReadVCardExport(text, one, error);
    if (one.count > 1 || (all.count > 1 && read)) __builtin_trap();
    return 0;
}
