#pragma once
// The record list of a Palm Desktop reader: owned copies of the records in
// the order they were read, walked first/next.
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "common/misc/CxList.h"
#include "common/palm/PmRecordTypes.h"

template <class Rec>
class PmDataMgr {
public:
    PmDataMgr() = default;
    PmDataMgr(const PmDataMgr&) = delete;
    PmDataMgr& operator=(const PmDataMgr&) = delete;

    // Adds a copy of the record; the data of its extended blocks is copied
    // into the list too.
    bool Add(const Rec& rec) {
        auto copy = std::make_unique<Rec>(rec);
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
        Rec* added = copy.get();
        m_records.push_back(std::move(copy));
        return m_list.Add(added);
    }

    Rec* GetFirst() { return m_list.GetFirst(); }
    Rec* GetNext() { return m_list.GetNext(); }
    Rec* GetAt(std::size_t index) { return m_list.GetAt(index); }
    std::size_t GetCount() const { return m_list.GetCount(); }

    // Hands each record in order to `take` and frees it right after, so
    // that records converted one by one are never all held twice; the list
    // is empty afterwards.
    template <class Take>
    void Drain(Take&& take) {
        m_list.RemoveAll(false);
        for (auto& record : m_records) {
            take(*record);
            record.reset();
        }
        Clear();
    }

    void Clear() {
        m_list.RemoveAll(false);
        m_records.clear();
        m_blockData.clear();
    }

private:
    CxList<Rec> m_list;
    std::vector<std::unique_ptr<Rec>> m_records;
    std::vector<std::unique_ptr<unsigned char[]>> m_blockData;
};
