// The Google bridges' readers of outside data: the recurrence text of an
// event, and the contact, event and calendar data files with the
// conversions and catalogue reads that follow them. The first byte picks
// which; the rest is the text or the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "common/google/CxGRecurText.h"
#include "common/misc/CxDebugUtil.h"
#include "tools/fuzz/BridgeFuzz.h"

namespace {

class FuzzContacts : public CxGAddrUtil {
public:
    bool Read() { return LoadDataFile_(CxLoadTexts{}); }
};

}  // namespace

using fwfuzz::CheckTime;
using fwfuzz::WriteBytes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string folder = fwfuzz::ScratchFolder();
    const int which = data[0] % 3;
    ++data;
    --size;
    if (which == 0) {
        CommDateRec rec{};
        CxGApplyRecurrenceText(std::string_view(reinterpret_cast<const char*>(data), size), rec);
        CheckTime(rec.Start);
        CheckTime(rec.End);
        if (rec.Repeat.Type < 0 || rec.Repeat.Type > 6 || rec.Repeat.Interval < 0) __builtin_trap();
    } else if (which == 1) {
        WriteBytes(folder + "GAddr.dat", data, size);
        FuzzContacts contacts;
        contacts.SetFolder(folder.c_str());
        for (int slot = 0; slot < 10; ++slot) contacts.SetCustomFieldMap(slot, 8 * slot + 3);
        contacts.Read();
        if (contacts.GetDataMgr()->GetRecordCount() != contacts.GetRecordCount()) __builtin_trap();
        if (const GAddrRec* raw = contacts.GetRecordAt(0))
            for (int i = 0; i < CxGAddrUtil::GetFieldCount(); ++i)
                CxGAddrUtil::GetFieldText(*raw, CxGAddrUtil::GetFieldID(i));
    } else {
        // The events first, then the calendars from the same bytes.
        WriteBytes(folder + "GDate.dat", data, size);
        WriteBytes(folder + "GCal.dat", data, size);
        CxGDateUtil calendar;
        calendar.SetFolder(folder.c_str());
        calendar.LoadEvents(nullptr);
        calendar.LoadCalendars(nullptr);
        if (calendar.GetDataMgr()->GetRecordCount() != calendar.GetRecordCount()) __builtin_trap();
        for (CommDateRec* r = calendar.GetDataMgr()->GetFirstRecord(); r; r = calendar.GetDataMgr()->GetNextRecord()) {
            CheckTime(r->Start);
            CheckTime(r->End);
            if (r->ReminderCount < 0 || r->ReminderCount > 3) __builtin_trap();
        }
    }
    std::remove((folder + "appdebug.log").c_str());
    return 0;
}
