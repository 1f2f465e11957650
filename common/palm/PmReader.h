#pragma once
// A reader of one kind: the container reader of its generation, with the
// record list of the kind's native record.
#include <cstring>
#include <memory>

#include "common/palm/PmDataMgr.h"

template <class Base, class Rec>
class PmReader : public Base {
public:
    using DataMgr = PmDataMgr<Rec>;

    DataMgr& GetRecords() { return m_records; }
    const DataMgr& GetRecords() const { return m_records; }

protected:
    template <class Kind>
    PmReader(const Kind& kind, const PmRecordLayout& layout) : Base(kind, layout) {}

    // Whether a record that was read whole goes into the list.
    virtual bool KeepRecord(const Rec&) const { return true; }

    void ClearRecords() override { m_records.Clear(); }
    unsigned char* NewWorkRecord() override {
        std::memset(static_cast<void*>(m_work.get()), 0, sizeof(Rec));
        return reinterpret_cast<unsigned char*>(m_work.get());
    }
    bool AddWorkRecord() override { return !KeepRecord(*m_work) || m_records.Add(*m_work); }
    std::size_t RecordCount() const override { return m_records.GetCount(); }

private:
    std::unique_ptr<Rec> m_work = std::make_unique<Rec>();
    DataMgr m_records;
};
