// Any text as Notes' iCalendar export of a mail database or notebook, for
// each of its three kinds: each kind gets only its own records, reading a
// to-do or journal entry at a time works through any text too (a text that
// nests them wrongly may give other counts), repeat texts are ones the
// program reads, and dates are numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "helpers/lotus/PimCalendar.h"
#include "helpers/lotus/PimExport.h"

namespace {

using namespace lotus_helper;

void CheckDate(double d) {
    if (!std::isfinite(d)) __builtin_trap();
}

struct Check : LnRecordSink {
    LnKind kind;
    std::size_t count = 0;
    explicit Check(LnKind k) : kind(k) {}
    bool Contact(const LnContact&) override { __builtin_trap(); }
    bool Entry(const LnEntry& r) override {
        if (kind != LnKind::Calendar) __builtin_trap();
        const bool repeats = r.repeats == "1";
        if (repeats == r.unit.empty()) __builtin_trap();
        if (repeats && r.unit != "D" && r.unit != "W" && r.unit != "MD" && r.unit != "MP" && r.unit != "Y")
            __builtin_trap();
        if (repeats && std::stol(r.interval) < 1) __builtin_trap();
        for (double d : {r.start, r.end, r.displayStart, r.displayEnd, r.until}) CheckDate(d);
        ++count;
        return true;
    }
    bool Todo(const LnTodo& r) override {
        if (kind != LnKind::Tasks || r.priority < 0 || r.priority > 2) __builtin_trap();
        for (double d : {r.due, r.completed}) CheckDate(d);
        ++count;
        return true;
    }
    bool Document(const LnDocument&) override {
        if (kind != LnKind::Notebook) __builtin_trap();
        ++count;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (LnKind kind : {LnKind::Calendar, LnKind::Tasks, LnKind::Notebook}) {
        Check check(kind);
        std::string error;
        const bool ok = ReadICalendarExport(text, kind, check, error);
        if (ok == !error.empty()) __builtin_trap();
        if (!ok || kind == LnKind::Calendar) continue;
        const bool read = kind == LnKind::Tasks ? ReadTodos(
                                                      text, [&](const LnTodo&) { return true; }, {}, 16)
                                                : ReadJournals(
                                                      text, [&](const LnDocument&) { return true; }, {}, 16);
        if (!read) __builtin_trap();
    }
    return 0;
}
