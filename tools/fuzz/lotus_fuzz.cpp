// The Lotus Notes bridges' readers of the helpers' data files, with the
// conversions and catalogue reads that follow them. The first byte picks
// the kind (contacts, calendar, to-dos, notebook); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
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
        Reader<CxLNAddrUtil> contacts;
        for (int slot = 0; slot < 10; ++slot) contacts.SetCustomFieldMap(slot, 6 * slot + 1);
        ReadKind("LNAddr.dat", data, size, contacts);
        for (std::size_t i = 0; i < contacts.GetRecordCount(); ++i) {
            const LNAddrRec& raw = *contacts.GetRecordAt(i);
            for (int f = 0; f < CxLNAddrUtil::GetFieldCount(); ++f) {
                const LNFieldInfo* info = CxLNAddrUtil::GetFieldInfo(f);
                const char* text = CxLNAddrUtil::GetFieldText(raw, info->FieldID);
                if (text != nullptr && std::memchr(text, '\0', static_cast<std::size_t>(info->Size)) == nullptr)
                    __builtin_trap();
            }
        }
        for (CommAddrRec* r = contacts.GetDataMgr()->GetFirstRecord(); r; r = contacts.GetDataMgr()->GetNextRecord()) {
            CheckText(r->Email3);
            CheckText(r->OtherAddress.Street);
            CheckText(r->ChildrensNames);
            CheckText(r->MappedCustomValue[9]);
        }
    } else if (which == 1) {
        Reader<CxLNDateUtil> calendar;
        ReadKind("LNDate.dat", data, size, calendar);
        for (CommDateRec* r = calendar.GetDataMgr()->GetFirstRecord(); r; r = calendar.GetDataMgr()->GetNextRecord()) {
            CheckTime(r->Start);
            CheckTime(r->End);
            CheckTime(r->Repeat.EndDate);
            if (r->Repeat.Type < 0 || r->Repeat.Type > 6) __builtin_trap();
            if (r->Repeat.Type == 3 && (r->Repeat.Instance < 0 || r->Repeat.Instance > 5)) __builtin_trap();
        }
    } else if (which == 2) {
        Reader<CxLNTaskUtil> tasks;
        ReadKind("LNTask.dat", data, size, tasks);
        for (CommTaskRec* r = tasks.GetDataMgr()->GetFirstRecord(); r; r = tasks.GetDataMgr()->GetNextRecord())
            if (r->Priority < 0 || r->Priority > 2 || r->Completed > 1) __builtin_trap();
    } else {
        Reader<CxLNNoteUtil> notes;
        ReadKind("LNNote.dat", data, size, notes);
        for (CommNoteRec* r = notes.GetDataMgr()->GetFirstRecord(); r; r = notes.GetDataMgr()->GetNextRecord()) {
            CheckText(r->Note);
            if (std::strpbrk(r->Subject, "\r\n") != nullptr) __builtin_trap();
        }
    }
    std::remove((fwfuzz::ScratchFolder() + "appdebug.log").c_str());
    return 0;
}
