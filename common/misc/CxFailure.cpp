#include "common/misc/CxFailure.h"

namespace {

thread_local std::string t_failure;

}  // namespace

void CxNoteFailure(const std::string& file, const std::string& cause, bool keepFirst) {
    if (keepFirst && !t_failure.empty()) return;
    t_failure = file.empty() ? cause : file + ": " + cause;
}

std::string CxTakeFailure() {
    std::string note;
    note.swap(t_failure);
    return note;
}

void CxClearFailure() { t_failure.clear(); }
