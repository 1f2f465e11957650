#include "common/bridge/CxHelperFiles.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/text/AsciiCase.h"

namespace {

constexpr CxHelperKind kKinds[kHelperKindCount] = {
    {kHelperGAddr, kHelperAppGoogle, CommKindAddr, "Norrbek.GoogleContacts.exe", "GAddrParam.dat", "GAddr.dat",
     "GAddrStatus.dat", "GAddrErr.dat", "GAddrData.ini"},
    {kHelperGDate, kHelperAppGoogle, CommKindDate, "Norrbek.GoogleCalendar.exe", "GDateParam.dat", "GDate.dat",
     "GDateStatus.dat", "GDateErr.dat", "GDateData.ini"},
    {kHelperACTAddr, kHelperAppACT, CommKindAddr, "Norrbek.ActContacts.exe", "ACTAddrParam.dat", "ACTAddr.dat",
     "ACTAddrStatus.dat", "ACTAddrErr.dat", "ACTAddr.ini"},
    {kHelperACTDate, kHelperAppACT, CommKindDate, "Norrbek.ActCalendar.exe", "ACTDateParam.dat", "ACTDate.dat",
     "ACTDateStatus.dat", "ACTDateErr.dat", "ACTDate.ini"},
    {kHelperACTTask, kHelperAppACT, CommKindTask, "Norrbek.ActTasks.exe", "ACTTaskParam.dat", "ACTTask.dat",
     "ACTTaskStatus.dat", "ACTTaskErr.dat", "ACTTask.ini"},
    {kHelperACTNote, kHelperAppACT, CommKindNote, "Norrbek.ActNotes.exe", "ACTNoteParam.dat", "ACTNote.dat",
     "ACTNoteStatus.dat", "ACTNoteErr.dat", "ACTNote.ini"},
    {kHelperLNAddr, kHelperAppLotus, CommKindAddr, "Norrbek.LotusContacts.exe", "LNAddrParam.dat", "LNAddr.dat",
     "LNAddrStatus.dat", "LNAddrErr.dat", "LNAddr.ini"},
    {kHelperLNDate, kHelperAppLotus, CommKindDate, "Norrbek.LotusCalendar.exe", "LNDateParam.dat", "LNDate.dat",
     "LNDateStatus.dat", "LNDateErr.dat", "LNDate.ini"},
    {kHelperLNTask, kHelperAppLotus, CommKindTask, "Norrbek.LotusTasks.exe", "LNTaskParam.dat", "LNTask.dat",
     "LNTaskStatus.dat", "LNTaskErr.dat", "LNTask.ini"},
    {kHelperLNNote, kHelperAppLotus, CommKindNote, "Norrbek.LotusNotebook.exe", "LNNoteParam.dat", "LNNote.dat",
     "LNNoteStatus.dat", "LNNoteErr.dat", "LNNote.ini"},
};

constexpr CxExchangeParamIds kGoogleIds{1002, 1003, 1005, 1009, 1010, 1013, 1014, 1015, 1016};
constexpr CxExchangeParamIds kACTIds{1003, 1004, 1005, 1006, 1007, 1012, 1013, 1014, 1015};
constexpr CxExchangeParamIds kLotusIds{1003, 1004, 1005, 1006, 1007, 1010, 1011, 1012, 1013};

}  // namespace

const CxHelperKind& GetHelperKind(int id) { return (id >= 0 && id < kHelperKindCount) ? kKinds[id] : kKinds[0]; }

const CxHelperKind* FindHelperKind(const char* programName) {
    if (programName == nullptr) return nullptr;
    std::string name = programName;
    if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string::npos) name = name.substr(slash + 1);
    if (name.size() > 4 && platform::EndsWithNoCase(name, ".exe")) name.resize(name.size() - 4);
    for (const CxHelperKind& kind : kKinds) {
        const std::size_t len = std::strlen(kind.helper) - 4;  // without ".exe"
        if (platform::EqualsNoCase(name, std::string_view(kind.helper, len))) return &kind;
    }
    return nullptr;
}

const CxExchangeParamIds& GetExchangeParamIds(CxHelperApp app) {
    switch (app) {
    case kHelperAppACT: return kACTIds;
    case kHelperAppLotus: return kLotusIds;
    case kHelperAppGoogle: break;
    }
    return kGoogleIds;
}
