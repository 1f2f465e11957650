#include "common/records/CommCutCount.h"

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_set>

#include "common/misc/CxDebugUtil.h"
#include "common/records/CommKinds.h"
#include "platform/text/TextCopy.h"

namespace {

constexpr std::size_t kMaxRemembered = 1u << 16;

struct CutState {
    std::mutex lock;
    std::array<std::size_t, CommKindCount> counts{};
    // What earlier cuts kept, by kind, record and text.
    std::unordered_set<std::size_t> kept;
};

CutState& State() {
    static CutState state;
    return state;
}

std::size_t KeyOf(int kind, std::string_view record, std::string_view text) {
    const std::hash<std::string_view> hash;
    std::size_t key = hash(record) ^ (static_cast<std::size_t>(kind) * 0x9E3779B97F4A7C15ull);
    return key ^ (hash(text) + 0x9E3779B97F4A7C15ull + (key << 6) + (key >> 2));
}

}  // namespace

void CommReportCut(int kind, std::string_view record, std::string_view field, std::string_view value,
                   std::size_t fullLength, std::string_view kept) {
    CutState& state = State();
    {
        const std::lock_guard<std::mutex> guard(state.lock);
        const bool counted = state.kept.count(KeyOf(kind, record, value)) > 0;
        if (kind >= 0 && kind < CommKindCount && !counted) ++state.counts[static_cast<std::size_t>(kind)];
        // Forgetting now and then keeps a process that is never reset small;
        // at worst a value cut twice is counted twice.
        if (state.kept.size() >= kMaxRemembered) state.kept.clear();
        state.kept.insert(KeyOf(kind, record, kept));
    }
    const std::string recordText(record);
    const std::string fieldText(field);
    CX_LOG(kLogCritical, "Value shortened: %s, field \"%s\", %zu bytes cut to %zu.", recordText.c_str(),
           fieldText.c_str(), fullLength, kept.size());
}

std::size_t CommGetCutCount(int kind) {
    if (kind < 0 || kind >= CommKindCount) return 0;
    CutState& state = State();
    const std::lock_guard<std::mutex> guard(state.lock);
    return state.counts[static_cast<std::size_t>(kind)];
}

void CommResetCutCounts() {
    CutState& state = State();
    const std::lock_guard<std::mutex> guard(state.lock);
    state.counts.fill(0);
    state.kept.clear();
}

std::size_t CommCopyReported(int kind, std::string_view record, std::string_view field, char* dst, std::size_t cap,
                             std::string_view src) {
    const std::size_t kept = platform::CopyText(dst, cap, src);
    if (kept < src.size()) CommReportCut(kind, record, field, src, src.size(), std::string_view(dst, kept));
    return kept;
}
