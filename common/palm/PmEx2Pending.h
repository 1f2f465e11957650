#pragma once
// Stand-in for the 6.x database readers until they are part of the build:
// reads nothing.
#include <cstdint>
#include <string>

#include "common/palm/PmDataMgr.h"
#include "common/palm/PmDesktop.h"
#include "common/palm/PmUserFile.h"

template <class Rec, int Kind>
class PmEx2Pending {
public:
    PmEx2Pending() = default;
    explicit PmEx2Pending(const char*) {}
    bool LoadFile(const char*) {
        m_records.Clear();
        return false;
    }
    bool IsLoaded() const { return false; }
    PmDataMgr<Rec>& GetRecords() { return m_records; }

private:
    PmDataMgr<Rec> m_records;
};

template <class Rec, int Kind>
bool PmLoadUserFile(PmEx2Pending<Rec, Kind>& reader, std::uint32_t userId) {
    std::string path;
    return PmUserFilePathLogged(userId, Kind, kPmGenEx2, path) && reader.LoadFile(path.c_str());
}
