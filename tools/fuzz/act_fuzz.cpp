// The ACT! bridges' readers of the helpers' data files, with the
// conversions and catalogue reads that follow them. The first byte picks
// the kind (contacts, calendar, to-dos, notes); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"
#include "common/misc/CxDebugUtil.h"
#include "tools/fuzz/BridgeFuzz.h"

using fwfuzz::CheckText;
using fwfuzz::CheckTime;
using fwfuzz::Reader;
using fwfuzz::ReadKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int which = data[0] % 4;
    ++data;
    --size;
    if (which == 0) {
        Reader<CxACTAddrUtil> contacts;
        for (int slot = 0; slot < 10; ++slot) contacts.SetCustomFieldMap(slot, 9 * slot + 5);
        ReadKind("ACTAddr.dat", data, size, contacts);
        for (std::size_t i = 0; i < contacts.GetRecordCount(); ++i) {
            const ACTAddrRec& raw = *contacts.GetRecordAt(i);
            for (int f = 0; f < CxACTAddrUtil::GetFieldCount(); ++f) {
                const ACTFieldInfo* info = CxACTAddrUtil::GetFieldInfo(f);
                const char* text = CxACTAddrUtil::GetFieldText(raw, info->FieldID);
                if (text != nullptr && std::memchr(text, '\0', static_cast<std::size_t>(info->Size)) == nullptr)
                    __builtin_trap();
            }
        }
        for (CommAddrRec* r = contacts.GetDataMgr()->GetFirstRecord(); r; r = contacts.GetDataMgr()->GetNextRecord()) {
            CheckText(r->WorkPhone);
            CheckText(r->WorkAddress.Street);
            CheckText(r->MappedCustomValue[9]);
        }
    } else if (which == 1) {
        Reader<CxACTDateUtil> calendar;
        ReadKind("ACTDate.dat", data, size, calendar);
        for (CommDateRec* r = calendar.GetDataMgr()->GetFirstRecord(); r; r = calendar.GetDataMgr()->GetNextRecord()) {
            CheckTime(r->Start);
            CheckTime(r->End);
            CheckTime(r->Repeat.EndDate);
            if (r->Repeat.Type < 0 || r->Repeat.Type > 6 || r->EventType < 0 || r->EventType > 3) __builtin_trap();
        }
    } else if (which == 2) {
        Reader<CxACTTaskUtil> tasks;
        ReadKind("ACTTask.dat", data, size, tasks);
        for (CommTaskRec* r = tasks.GetDataMgr()->GetFirstRecord(); r; r = tasks.GetDataMgr()->GetNextRecord())
            if (r->Priority < 0 || r->Priority > 2) __builtin_trap();
    } else {
        Reader<CxACTNoteUtil> notes;
        ReadKind("ACTNote.dat", data, size, notes);
        for (CommNoteRec* r = notes.GetDataMgr()->GetFirstRecord(); r; r = notes.GetDataMgr()->GetNextRecord())
            if (std::strpbrk(r->Subject, "\r\n") != nullptr) __builtin_trap();
    }
    std::remove((fwfuzz::ScratchFolder() + "appdebug.log").c_str());
    return 0;
}
