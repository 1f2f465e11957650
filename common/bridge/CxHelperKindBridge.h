#pragma once
// The part of a bridge that depends on its record kind: the raw records
// read from the helper's data file (owned here, in file order), the
// common-record list made from them, and the loading of the data file.
//
// A bridge of one application and kind derives from it with its
// application's base, its raw record, and the common record and list of
// its kind, and supplies the record reader and the conversion:
//
//   class CxGAddrUtil : public CxHelperKindBridge<CxGAppBaseUtil, GAddrRec, CommAddrRec, CommAddrMgr> {
//       bool LoadRecFromFile_(CxFile& file, GAddrRec& rec) override;
//       void ConvertRecord_(const GAddrRec& raw, CommAddrRec& rec) override;
//       bool Load() override { return LoadWithTexts_(kTexts); }
//   };
//
// Every common record points at its raw record with NativeSize 0: the
// bridge keeps the raw record.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/bridge/CxHelperBridge.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFile.h"

// The debug-log lines of one bridge's load; null lines are not written.
struct CxLoadTexts {
    const char* start = nullptr;                          // detail, before the run
    const char* reading = nullptr;                        // detail, "%s" is the data file name
    const char* openFailure = "Failed to open file: %s";  // critical, "%s" is the full path
    const char* count = nullptr;                          // detail, "%d" is the record count
    const char* afterReading = nullptr;                   // detail, after the last record
    const char* success = nullptr;                        // detail, at the end of a good load
    const char* failure = nullptr;                        // critical, at the end of a failed load
    bool startBeforeClear = false;                        // the start line comes before Clear
};

template <class AppBase, class Raw, class Comm, class Mgr>
class CxHelperKindBridge : public AppBase {
public:
    using RawRecord = Raw;
    using CommRecord = Comm;
    using DataMgr = Mgr;

    ~CxHelperKindBridge() override { CxHelperKindBridge::Clear(); }

    void Clear() override {
        m_mgr.RemoveAllRecords();
        m_records.clear();
        this->ClearFiles_();
    }

    Mgr* GetDataMgr() { return &m_mgr; }
    std::size_t GetRecordCount() const { return m_records.size(); }
    const Raw* GetRecordAt(std::size_t index) const {
        return index < m_records.size() ? m_records[index].get() : nullptr;
    }

protected:
    explicit CxHelperKindBridge(CxHelperKindId kind) : AppBase(kind) {}

    // Reads one record at the file's position into a zeroed raw record;
    // false only when the file is not open.
    virtual bool LoadRecFromFile_(CxFile& file, Raw& raw) = 0;
    // Fills a zeroed common record from a raw record.
    virtual void ConvertRecord_(const Raw& raw, Comm& rec) = 0;

    // The whole load: Clear, the run of the helper, the data file.
    bool LoadWithTexts_(const CxLoadTexts& texts) {
        if (texts.startBeforeClear && texts.start) CX_LOG(kLogDetail, "%s", texts.start);
        Clear();
        if (!texts.startBeforeClear && texts.start) CX_LOG(kLogDetail, "%s", texts.start);
        this->m_operation = 1;
        const bool ok = this->InvokeHelper_() && LoadDataFile_(texts);
        if (ok && texts.success) CX_LOG(kLogDetail, "%s", texts.success);
        if (!ok && texts.failure) CX_LOG(kLogCritical, "%s", texts.failure);
        return ok;
    }

    // Reads the record count and that many records, converting and listing
    // each. A file that ends before its last record is complete fails the
    // load; the records read before stay listed.
    bool LoadDataFile_(const CxLoadTexts& texts) {
        if (texts.reading) CX_LOG(kLogDetail, texts.reading, this->GetDataFileName());
        if (!this->OpenDataFile_(m_file, texts.openFailure)) return false;
        std::int32_t count = 0;
        m_file.ReadInt(count);
        if (m_file.HadShortRead()) {
            m_file.Close();
            this->DataFileCut_(0, -1);
            return false;
        }
        if (texts.count) CX_LOG(kLogDetail, texts.count, static_cast<int>(count));
        for (std::int32_t i = 0; i < count; ++i) {
            auto raw = std::make_unique<Raw>();
            LoadRecFromFile_(m_file, *raw);
            if (m_file.HadShortRead()) {
                m_file.Close();
                this->DataFileCut_(i, count);
                return false;
            }
            auto rec = std::make_unique<Comm>();
            ConvertRecord_(*raw, *rec);
            rec->NativeRecord = raw.get();
            rec->NativeSize = 0;
            m_mgr.AddRecord(rec.get());
            m_records.push_back(std::move(raw));
        }
        m_file.Close();
        if (texts.afterReading) CX_LOG(kLogDetail, "%s", texts.afterReading);
        return true;
    }

    CxFile m_file;

private:
    std::vector<std::unique_ptr<Raw>> m_records;
    Mgr m_mgr;
};
