#include "helpers/lotus/PimExport.h"

namespace lotus_helper {

bool ReadVCardExport(std::string_view, LnRecordSink&, std::string& error) {
    error = "vCard files cannot be read yet.";
    return false;
}

bool ReadICalendarExport(std::string_view, LnKind, LnRecordSink&, std::string& error) {
    error = "iCalendar files cannot be read yet.";
    return false;
}

}  // namespace lotus_helper
