#pragma once
// The record set of one kind: its three readers, its entries and its common
// list. `Traits` names the kind's pieces:
//   Early, Ex, Ex2   the readers of generations 1, 2 and 3
//   Entry            the kind's PmRecordEntry
//   Mgr              the common list manager
//   kLines           the kind's PmInfoLines
// The kind's record set derives from PmInfo<Traits> and converts an entry
// into its common record (Convert).
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "common/palm/PmDesktop.h"
#include "common/palm/PmInfoBase.h"
#include "common/palm/PmRecordEntry.h"
#include "common/palm/PmUserFile.h"

// A Palm record is left out when the low byte of its status has one of
// these bits: deleted (0x80) or archived (0x04).
inline constexpr std::int32_t kPmSkipStatusBits = 0x84;

inline bool PmTakesRecord(std::int32_t status) { return (status & 0xFF & kPmSkipStatusBits) == 0; }

template <class Traits>
class PmInfo : public PmInfoBase {
public:
    using Entry = typename Traits::Entry;
    using Mgr = typename Traits::Mgr;
    using CommRec = typename Entry::CommonRecordType;

    // The entries in the order of the reader's records: the common records'
    // native copies, unpacked by the common list when asked for.
    Entry* FirstEntry() {
        m_cursor = 0;
        return EntryAt(m_cursor);
    }
    Entry* NextEntry() {
        if (m_cursor >= GetEntryCount()) return nullptr;
        ++m_cursor;
        return EntryAt(m_cursor);
    }
    std::size_t GetEntryCount() const { return m_common->GetRecordCount(); }

    Mgr* GetCommonList() { return m_common.get(); }

    typename Traits::Early& GetEarlyReader() { return *m_early; }
    typename Traits::Ex& GetExReader() { return *m_ex; }
    typename Traits::Ex2& GetEx2Reader() { return *m_ex2; }

    // The file check of the kind: 3, 2 or 1 for the generation that reads
    // the whole file, 255 when none does, 0 for an empty path (contacts and
    // calendar).
    static int CheckFileType(const char* path) { return PmInfoBase::CheckFileType(Traits::kLines, path, &CanRead); }

protected:
    PmInfo() : PmInfoBase(Traits::kLines) {}

    // Fills an all-zero common record from an entry, bookkeeping included
    // (the native record is set afterwards).
    virtual void Convert(Entry& entry, CommRec& rec) = 0;

private:
    bool LoadUserFileOf(int generation, std::uint32_t userId) override {
        switch (generation) {
        case kPmGenEarly: return PmLoadUserFile(*m_early, userId);
        case kPmGenEx: return PmLoadUserFile(*m_ex, userId);
        case kPmGenEx2: return PmLoadUserFile(*m_ex2, userId);
        default: return false;
        }
    }
    bool LoadFileOf(int generation, const char* path) override {
        switch (generation) {
        case kPmGenEarly: return m_early->LoadFile(path);
        case kPmGenEx: return m_ex->LoadFile(path);
        case kPmGenEx2: return m_ex2->LoadFile(path);
        default: return false;
        }
    }
    void ResetReaders() override {
        m_early->GetRecords().Clear();
        m_ex->GetRecords().Clear();
        m_ex2->GetRecords().Clear();
    }
    void ClearEntries() override {
        m_common->RemoveAllRecords();
        m_blockData.clear();
        m_cursor = 0;
    }
    void BuildEntries() override {
        switch (GetLoadedGeneration()) {
        case kPmGenEarly: BuildFrom(m_early->GetRecords(), kPmGenEarly); break;
        case kPmGenEx: BuildFrom(m_ex->GetRecords(), kPmGenEx); break;
        case kPmGenEx2: BuildFrom(m_ex2->GetRecords(), kPmGenEx2); break;
        default: break;
        }
    }

    // Converts the reader's records into entries and common records. The
    // entry of a record is the common record's native copy, and the
    // reader's records go once converted: each record is held once, its
    // entry packed by the common list.
    template <class DataMgr>
    void BuildFrom(DataMgr& records, int generation) {
        auto entry = std::make_unique<Entry>();
        auto common = std::make_unique<CommRec>();
        records.Drain([&](const auto& rec) {
            if (!PmTakesRecord(rec.Status)) return;
            std::memset(static_cast<void*>(entry.get()), 0, sizeof(Entry));
            entry->Generation = generation;
            auto& copy = Member(*entry, &rec);
            copy = rec;
            CopyBlockData(copy);

            std::memset(static_cast<void*>(common.get()), 0, sizeof(CommRec));
            Convert(*entry, *common);
            common->NativeRecord = entry.get();
            common->NativeSize = sizeof(Entry);
            m_common->AddRecord(common.get());
        });
    }

    // The entry at a position, unpacked, with its common record set.
    Entry* EntryAt(std::size_t position) {
        auto* entry = static_cast<Entry*>(m_common->NativeAt(position));
        if (entry != nullptr) entry->CommonRecord = m_common->GetRecordAt(position);
        return entry;
    }

    // The entry's copy of a record of the reader's type.
    template <class Rec>
    static Rec& Member(Entry& entry, const Rec*) {
        if constexpr (std::is_same_v<Rec, typename Entry::EarlyRecord>)
            return entry.Record.Early;
        else if constexpr (std::is_same_v<Rec, typename Entry::ExRecord>)
            return entry.Record.Ex;
        else
            return entry.Record.Ex2;
    }

    // The entry owns the data of its record's extended blocks, so that it
    // does not depend on the reader's list.
    template <class Rec>
    void CopyBlockData(Rec& rec) {
        if constexpr (requires { rec.ExtBlock[0].Data; }) {
            for (PmExtBlock& block : rec.ExtBlock) {
                if (block.Data == nullptr || block.Size <= 0) {
                    block.Data = nullptr;
                    continue;
                }
                auto data = std::make_unique<unsigned char[]>(static_cast<std::size_t>(block.Size));
                std::memcpy(data.get(), block.Data, static_cast<std::size_t>(block.Size));
                block.Data = data.get();
                m_blockData.push_back(std::move(data));
            }
        }
    }

    static bool CanRead(int generation, const char* path) {
        switch (generation) {
        case kPmGenEarly: return typename Traits::Early(path).IsLoaded();
        case kPmGenEx: return typename Traits::Ex(path).IsLoaded();
        case kPmGenEx2: return typename Traits::Ex2(path).IsLoaded();
        default: return false;
        }
    }

    std::unique_ptr<typename Traits::Early> m_early = std::make_unique<typename Traits::Early>();
    std::unique_ptr<typename Traits::Ex> m_ex = std::make_unique<typename Traits::Ex>();
    std::unique_ptr<typename Traits::Ex2> m_ex2 = std::make_unique<typename Traits::Ex2>();
    std::vector<std::unique_ptr<unsigned char[]>> m_blockData;
    std::unique_ptr<Mgr> m_common = std::make_unique<Mgr>();
    std::size_t m_cursor = 0;
};
