#pragma once
// The record list of a Palm Desktop reader: owned copies of the records in
// the order they were read, walked first/next.
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "common/misc/CxList.h"
#include "common/palm/PmRecordTypes.h"
#include "common/records/RecordBlocks.h"

template <class Rec>
class PmDataMgr {
public:
    PmDataMgr() = default;
    PmDataMgr(const PmDataMgr&) = delete;
    PmDataMgr& operator=(const PmDataMgr&) = delete;

    // Adds a copy of the record; the data of its extended blocks is copied
    // into the list too.
    bool Add(const Rec& rec) {
        Rec* copy = m_store.Add(rec);
        if (copy == nullptr) return false;
        if constexpr (requires { rec.ExtBlock[0].Data; }) {
            for (PmExtBlock& block : copy->ExtBlock) {
                if (block.Size <= 0 || block.Data == nullptr) {
                    block.Size = block.Size < 0 ? 0 : block.Size;
                    block.Data = nullptr;
                    continue;
                }
                auto data = std::make_unique<unsigned char[]>(static_cast<std::size_t>(block.Size));
                std::memcpy(data.get(), block.Data, static_cast<std::size_t>(block.Size));
                block.Data = data.get();
                m_blockData.push_back(std::move(data));
            }
        }
        m_records.push_back(copy);
        return m_list.Add(copy);
    }

    Rec* GetFirst() { return m_list.GetFirst(); }
    Rec* GetNext() { return m_list.GetNext(); }
    Rec* GetAt(std::size_t index) { return m_list.GetAt(index); }
    std::size_t GetCount() const { return m_list.GetCount(); }

    // Hands each record in order to `take` and frees the records taken a
    // block at a time, so that records converted one by one are never all
    // held twice; the list is empty afterwards.
    template <class Take>
    void Drain(Take&& take) {
        m_list.RemoveAll(false);
        for (std::size_t i = 0; i < m_records.size(); ++i) {
            take(*m_records[i]);
            m_store.ReleaseBefore(i + 1);
        }
        Clear();
    }

    void Clear() {
        m_list.RemoveAll(false);
        m_records.clear();
        m_store.Clear();
        m_blockData.clear();
    }

private:
    CxList<Rec> m_list;
    RecordBlocks<Rec> m_store;   // owns the records
    std::vector<Rec*> m_records;  // in m_store, in the order they were read
    std::vector<std::unique_ptr<unsigned char[]>> m_blockData;
};
