#pragma once
// Writes Palm Desktop 4.x data files (".dat") of both generations and all
// four kinds, for tests, fuzz seeds, benchmarks and sample data. Every part
// of a file can be set, including values that damage it (a wrong magic or
// version, odd field counts, a file cut at a byte offset).
//
// Texts are written as the bytes given: pass them in the Windows code page
// that the file is to be in (windows-1252 by default).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace palmdat {

enum class Kind { Address, Datebook, Todo, Memo };
enum class Format { Earlier, V414 };

// A repeat event value.
struct Repeat {
    enum class Marker {
        None,   // class marker 0: the event does not repeat
        Named,  // 0xFFFF, a version word and a class name
        Bare,   // any other marker word, followed directly by the rule
    };
    Marker marker = Marker::None;
    std::uint16_t bareMarker = 0x8001;
    std::uint16_t classVersion = 1;
    std::optional<std::string> className;  // default: the name of the kind
    std::vector<std::int32_t> exceptions;
    std::int32_t kind = 0;
    std::int32_t interval = 0;
    std::int32_t endDate = 0;
    std::int32_t firstDayOfWeek = 0;
    std::int32_t dayIndex = 0;
    std::uint8_t dayMask = 0;
    std::int32_t weekIndex = 0;
    std::int32_t dayNumber = 0;
    std::int32_t monthIndex = 0;
};

// An extended block value. Form 0 writes nothing more; forms 1 to 3 write
// the two parameters, the size and the data; form 4 and above the data.
struct Ext {
    std::int32_t marker = 0;
    std::int32_t form = 0;
    std::int32_t param1 = 0;
    std::int32_t param2 = 0;
    std::optional<std::int32_t> size;  // default: the data's size
    std::string data;
};

struct Value {
    enum class Type { Long, Text, Double, Ext, Repeat, Raw };
    Type type = Type::Long;
    std::int32_t tag = 1;
    std::int32_t number = 0;
    std::string text;
    std::int32_t textFlag = 0;
    bool longLength = false;  // a length below 255 written as 255 and a word
    double real = 0;
    palmdat::Ext ext;
    palmdat::Repeat repeat;

    static Value Long(std::int32_t number, std::int32_t tag = 1);
    static Value Text(std::string text, bool longLength = false);
    static Value Double(double real, std::int32_t tag = 68);
    static Value Block(palmdat::Ext ext);
    static Value RepeatEvent(palmdat::Repeat repeat);
    // Bytes written as they are.
    static Value Raw(std::string bytes);
};

using Record = std::vector<Value>;

struct Category {
    std::int32_t index = 1;
    std::int32_t id = 1;
    std::int32_t dirty = 0;
    std::string name;
    std::string fileName;
};

struct DatFile {
    Kind kind = Kind::Address;
    Format format = Format::V414;

    // 4.1.4 header
    std::string prefix = std::string("\xBE\xBA\xFE\xCA\x0F", 5);
    std::string magic = "PalmSG Database00RV";
    std::optional<std::int32_t> version;  // default: the kind's
    std::string reserved1 = std::string(24, '\0');
    std::string dbName;
    std::string reserved2;                  // default size: 11 for the address book, 43 otherwise
    std::vector<std::string> customLabels;  // address book: nine
    std::string reserved3 = std::string(42, '\0');

    // earlier header
    std::string labelBlock;  // address book: label lines, each ended by '\n'
    std::string kindBlock;   // the other kinds

    // categories; "Unfiled" is not in the table
    std::int32_t nextFreeID = 128;
    std::optional<std::int32_t> categoryCount;  // default: the table's size
    std::vector<Category> categories;

    // schema
    std::int32_t resourceID = 0;
    std::int32_t fieldsPerRow = 0;
    std::int32_t recordIDPos = 0;
    std::int32_t statusPos = 0;
    std::int32_t placementPos = 0;
    std::optional<std::uint16_t> fieldCount;  // default: the number of types
    std::vector<std::uint16_t> fieldTypes;

    // records
    std::optional<std::int32_t> totalFields;  // default: records x fields per row
    std::vector<Record> records;

    // damage: keep only this many bytes
    std::optional<std::size_t> cutAt;
};

// The kind's standard file name, version and default schema.
const char* FileName(Kind kind);
std::int32_t KindVersion(Kind kind, Format format);
std::vector<std::uint16_t> DefaultFieldTypes(Kind kind, Format format);

// A file with the kind's defaults and no category and no record.
DatFile NewFile(Kind kind, Format format);
// A record of the kind's layout holding zeros and empty texts, each value
// encoded as the default schema's type code says.
Record NewRecord(Kind kind, Format format);

std::string CString(const std::string& text, bool longLength = false);
std::string EncodeValue(const Value& value);
std::string Build(const DatFile& file);
bool Write(const std::string& path, const DatFile& file);

// UTF-8 text as windows-1252 bytes; characters it lacks are approximated.
std::string Ansi(const std::string& utf8);

// The sample file of one kind and generation, as WriteSample writes it.
DatFile SampleFile(Kind kind, Format format);

// The four files of a generation with a few dozen records each: contacts
// with accented names, events with every repeat kind, to-dos and memos.
bool WriteSample(const std::string& folder, Format format, std::string* error = nullptr);

}  // namespace palmdat
