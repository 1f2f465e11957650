// DXL exports of Lotus Notes databases: any bytes read as an export of each
// kind without fault; a failed reading says why, a successful one says
// nothing; every entry ends no earlier than it starts, a repeating one has
// its unit, and every text is valid UTF-8.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "helpers/lotus/DxlItems.h"
#include "helpers/lotus/DxlReader.h"

namespace {

bool ValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

struct Sink : lotus_helper::LnRecordSink {
    bool Contact(const lotus_helper::LnContact& r) override {
        for (const auto& [id, text] : r.text) Check(id >= 1 && id <= 44 && ValidUtf8(text));
        Check(ValidUtf8(r.note) && ValidUtf8(r.category));
        return true;
    }
    bool Entry(const lotus_helper::LnEntry& r) override {
        Check(std::isfinite(r.start) && std::isfinite(r.end) && r.end >= r.start);
        Check(r.repeats.empty() || !r.unit.empty());
        Check(ValidUtf8(r.subject) && ValidUtf8(r.body) && ValidUtf8(r.location) && ValidUtf8(r.startZone));
        return true;
    }
    bool Todo(const lotus_helper::LnTodo& r) override {
        Check(r.priority >= 0 && r.priority <= 2 && ValidUtf8(r.subject) && ValidUtf8(r.body));
        Check(std::isfinite(r.keptDate));
        return true;
    }
    bool Document(const lotus_helper::LnDocument& r) override {
        Check(ValidUtf8(r.subject) && ValidUtf8(r.body) && ValidUtf8(r.kept));
        for (double d : r.keptDates) Check(std::isfinite(d));
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto kind : {lotus_helper::LnKind::Contacts, lotus_helper::LnKind::Calendar, lotus_helper::LnKind::Tasks,
                      lotus_helper::LnKind::Notebook}) {
        Sink sink;
        std::string error;
        const bool ok = lotus_helper::ReadDxlText(text, kind, sink, error);
        Check(ok == error.empty());
    }
    if (auto t = lotus_helper::ParseDxlTime(text.substr(0, 32))) {
        if (auto local = lotus_helper::DxlTimeToLocal(*t)) Check(std::isfinite(*local));
    }
    return 0;
}
