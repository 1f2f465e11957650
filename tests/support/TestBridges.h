#pragma once
// Bridges over the test record layout that the test helper program writes:
// the header (three integers for Google, two for ACT! and Lotus Notes), a
// text, an integer, a flag and a date. Each record becomes a common note
// whose subject is the text.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/bridge/CxExchangeRead.h"
#include "common/bridge/CxHelperKindBridge.h"
#include "common/records/CommNoteMgr.h"
#include "platform/text/LittleEndianWriter.h"
#include "platform/text/TextCopy.h"

namespace fwtest {

struct TestRawRec {
    std::int32_t header[3];
    char text[16];  // 15 characters
    std::int32_t number;
    std::int32_t flag;
    std::int32_t flagNeighbour;  // never written by the data file
    double date;
};

inline constexpr CxLoadTexts kTestLoadTexts = [] {
    CxLoadTexts t;
    t.start = "Start loading test records.";
    t.reading = "Start loading test records from temperary file: %s";
    t.count = "There are %d test records in total.";
    t.afterReading = "Load test records from file successfully.";
    t.success = "Load test records successfully.";
    t.failure = "Failed to load test records.";
    return t;
}();

template <class AppBase>
class TestBridge : public CxHelperKindBridge<AppBase, TestRawRec, CommNoteRec, CommNoteMgr> {
    using Base = CxHelperKindBridge<AppBase, TestRawRec, CommNoteRec, CommNoteMgr>;

public:
    explicit TestBridge(CxHelperKindId kind) : Base(kind) {}
    bool Load() override { return this->LoadWithTexts_(kTestLoadTexts); }
    void ReadErrorFile() { this->ReadErrorFile_(); }
    int HeaderInts() const { return this->GetHelperKind().app == kHelperAppGoogle ? 3 : 2; }

protected:
    bool LoadRecFromFile_(CxFile& file, TestRawRec& rec) override {
        if (!file.IsOpen()) return false;
        for (int i = 0; i < HeaderInts(); ++i) cxexchange::ReadInt(file, rec.header[i]);
        cxexchange::ReadText(file, rec.text);
        cxexchange::ReadInt(file, rec.number);
        cxexchange::ReadFlag(file, rec.flag);
        cxexchange::ReadDate(file, rec.date);
        return true;
    }
    void ConvertRecord_(const TestRawRec& raw, CommNoteRec& rec) override {
        platform::CopyText(rec.Subject, raw.text);
        std::snprintf(rec.Note, sizeof rec.Note, "%d", static_cast<int>(raw.number));
        rec.Private = raw.flag;
        rec.CreationTime = raw.date;
        rec.SourceType = 8;
    }
};

// The test helper's data file, written by hand.
inline std::string TestRecordBytes(bool google, const std::string& text, std::int32_t number, std::int32_t flag,
                                   double date) {
    std::string out;
    const std::int32_t header[3] = {1, 7, 9};
    for (int i = 0; i < (google ? 3 : 2); ++i) platform::AppendLE32(out, static_cast<std::uint32_t>(header[i]));
    platform::AppendLE32(out, static_cast<std::uint32_t>(text.size()));
    out += text;
    platform::AppendLE32(out, static_cast<std::uint32_t>(number));
    platform::AppendLE32(out, static_cast<std::uint32_t>(flag));
    platform::AppendLE64(out, std::bit_cast<std::uint64_t>(date));
    return out;
}

inline std::string Int32Bytes(std::int32_t v) {
    std::string b;
    platform::AppendLE32(b, static_cast<std::uint32_t>(v));
    return b;
}

}  // namespace fwtest

namespace fwtest {

// One text parameter as the parameter file holds it.
inline std::string ParamBytes(std::int32_t id, const std::string& text) {
    return Int32Bytes(id) + Int32Bytes(8) + Int32Bytes(static_cast<std::int32_t>(text.size())) + text;
}

}  // namespace fwtest
