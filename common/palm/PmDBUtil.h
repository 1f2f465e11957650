#pragma once
// The base of the readers of Palm Desktop 4.x data files (".dat"): the open
// file, the little-endian value encodings of the container, and the steps
// that both generations of the container share (category table, schema).
//
// The file is read through a buffer. A read that meets the end of the file
// fails the value being read; the position is then at the end of the file.
// While a file is open it holds an exclusive advisory lock, and the open
// fails when another process holds one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/palm/PmCategory.h"
#include "common/palm/PmRecordTypes.h"
#include "common/palm/PmTextDecoder.h"
#include "platform/file/BufferedFile.h"

// The schema of a file: where its record fields are and their type codes.
struct PmSchema {
    std::int32_t ResourceID = 0;
    std::int32_t FieldsPerRow = 0;
    std::int32_t RecordIDPos = 0;
    std::int32_t StatusPos = 0;
    std::int32_t PlacementPos = 0;
    std::uint16_t FieldCount = 0;
    // As many type codes as the kind's layout has positions; codes of
    // further positions are read and dropped.
    std::vector<std::uint16_t> FieldTypes;
};

class PmDBUtil {
public:
    enum OpenMode { kReadOnly = 0, kWriteOnly = 1, kReadWrite = 2, kCreate = 3 };
    static constexpr std::size_t kNameSize = 256;
    // A counted text is at most 65535 bytes long (its length is a word) and
    // is decoded whole; only its record member limits what is kept.
    static constexpr std::size_t kTextLimit = 65535;
    static constexpr std::size_t kTextBufferSize = 8192;
    static constexpr std::size_t kClassNameLimit = 256;

    PmDBUtil();
    virtual ~PmDBUtil();
    PmDBUtil(const PmDBUtil&) = delete;
    PmDBUtil& operator=(const PmDBUtil&) = delete;

    // Closes any open file, then opens `path` (resolved without regard to
    // case): mode 0 read only, 1 write only, 2 read and write, each on an
    // existing file; 3 read and write, creating or emptying the file. On
    // success the path becomes the reader's name.
    bool OpenFile(const char* path, int mode);
    void CloseFile();
    bool IsFileOpen() const { return m_file.IsOpen(); }

    // True only when all `count` bytes were read; `delivered` tells how many
    // were.
    bool ReadBytes(void* buffer, std::size_t count, std::size_t* delivered = nullptr);
    bool ReadByte(std::uint8_t& value);
    bool ReadWord(std::uint16_t& value);
    bool ReadLong(std::int32_t& value);
    bool ReadDouble(double& value);
    // A counted text of at most `capacity` bytes as stored; `buffer` holds
    // capacity + 1 bytes. A longer text sets `capacity` to its length and
    // fails. The text is decoded from the code page and cut to the buffer.
    bool ReadCString(char* buffer, std::int32_t& capacity);
    // Tag 1, 3 or 6, then the value.
    bool ReadTaggedLong(std::int32_t& value);
    // Tag 5, text flag, counted text. The text is read and decoded whole and
    // stored cut to `size` bytes; `fullLength` receives its decoded length.
    bool ReadTaggedText(char* buffer, std::size_t size, std::size_t* fullLength = nullptr);
    // The block's data is read into `data`, which `block.Data` then points at.
    bool ReadExtendedBlock(PmExtBlock& block, std::vector<unsigned char>& data);
    // Tag (not tested), then the double.
    bool ReadTaggedDouble(double& value);
    // A repeat event; every member is 0 for an event that does not repeat.
    bool ReadRepeatEvent(PmRepeatInfo& repeat);

    // The byte offset in the open file, 0 when none is open.
    long GetFilePosition() const;
    // The name of the category with that ID in the category store.
    bool GetCategoryText(std::int32_t id, char* buffer, std::size_t size) const;

    const char* GetName() const { return m_name; }
    PmCategoryMgr* GetCategoryMgr() const { return m_categories.get(); }
    const PmSchema& GetSchema() const { return m_schema; }

    // The process-wide code page of the texts in the files.
    static bool SetCodePage(const char* name) { return PmTextDecoder::SetCodePage(name); }

    // Two lower-case digits per byte separated by spaces, at most 1024 bytes.
    static std::string HexDump(const void* data, std::size_t size);

protected:
    // How the shared steps log: the 4.1.4 readers, the earlier address
    // book reader, or the other earlier readers (no step lines).
    enum class LineStyle { Ex, EarlyAddress, Quiet };

    void SetName(std::string_view name);
    // Bytes of the open file after the position.
    std::uint64_t BytesLeft() const { return m_file.IsOpen() ? Remaining() : 0; }
    // What was wrong with the file, for the message that names it; the
    // first cause found is kept until the next load.
    void SetCause(const std::string& cause) {
        if (m_cause.empty()) m_cause = cause;
    }
    // Notes the load's failure (the file and its cause) for the user.
    void NoteLoadFailure(const char* path, const char* fallbackCause);

    std::string m_cause;

    // After the last record the header counts: fails when what is left of
    // the file reads as one more whole record (a header count too small
    // would otherwise drop records without a word). Other bytes left over
    // are logged and let be.
    bool CheckNothingMore(const PmRecordLayout& layout, std::uint32_t positions, unsigned char* scratch,
                          std::uint32_t recordCount);

    // Reads and drops `count` bytes; fails like a read at the end of the file.
    bool SkipBytes(std::uint64_t count);
    // Moves the position forward, also past the end of the file.
    void MoveFilePosition(std::uint64_t count);
    // A counted text as stored (undecoded), at most `capacity` bytes; the
    // length read is reported through `length`.
    bool ReadCStringRaw(std::string& raw, std::size_t capacity, std::size_t* length = nullptr);
    // The length prefix of a counted text.
    bool ReadCStringLength(std::size_t& length);
    void Decode(const std::string& raw, std::string& text) { m_decoder->Decode(raw.data(), raw.size(), text); }

    bool LoadCategoryTable(LineStyle style, const std::string& word, bool logFileNameFailure);
    bool LoadSchemaTable(LineStyle style, const std::string& word);

    // Reads one field position into a record laid out as `layout` says;
    // positions beyond the layout read nothing.
    bool ReadField(const PmRecordLayout& layout, std::uint32_t pos, unsigned char* record);

    void SetDefaultSchema(const PmRecordLayout& layout, std::int32_t resourceID, std::int32_t statusPos,
                          std::int32_t placementPos);

    char m_name[kNameSize] = {};
    std::unique_ptr<PmCategoryMgr> m_categories;
    PmSchema m_schema;
    std::uint32_t m_layoutCount = 0;
    std::vector<unsigned char> m_extData[4];

private:
    std::uint64_t Position() const { return m_file.Position(); }
    std::uint64_t Remaining() const { return m_file.Remaining(); }

    platform::file::BufferedFile m_file;
    std::unique_ptr<PmTextDecoder> m_decoder;
    std::string m_raw;
    std::string m_text;
};
