// palmdat: writes Palm Desktop 4.x data files for tests and demonstrations.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/palmdat/PalmDatWriter.h"

namespace {

const char* const kUsage =
    "Usage:\n"
    "  palmdat --sample FOLDER [--format 414|earlier]\n"
    "      writes address.dat, datebook.dat, todo.dat and memopad.dat with a few\n"
    "      dozen records each (accented names, every repeat kind, to-dos, memos)\n"
    "  palmdat --kind address|datebook|todo|memo [--format 414|earlier] --out FILE\n"
    "          [--records N] [--describe FILE] [damage switches]\n"
    "      writes one file: N numbered records, and one record per line of the\n"
    "      description file. A line holds POSITION=VALUE items separated by '|';\n"
    "      each value is written as the position's type asks (text, number or\n"
    "      real); texts are UTF-8 and written in windows-1252. '#' starts a comment.\n"
    "Damage switches:\n"
    "  --cut OFFSET          keep only the first OFFSET bytes\n"
    "  --bad-magic           a wrong magic text (4.1.4 format)\n"
    "  --bad-version         the other generation's version\n"
    "  --fields-per-row N    the schema's fields per row\n"
    "  --field-count N       the schema's field count (the types written stay the kind's)\n"
    "  --total-fields N      the record area's total fields\n"
    "Default format: 414 (Palm Desktop 4.1.4); 'earlier' is Palm Desktop 4.1 and before.\n";

bool ParseKind(const std::string& s, palmdat::Kind& kind) {
    if (s == "address")
        kind = palmdat::Kind::Address;
    else if (s == "datebook")
        kind = palmdat::Kind::Datebook;
    else if (s == "todo")
        kind = palmdat::Kind::Todo;
    else if (s == "memo")
        kind = palmdat::Kind::Memo;
    else
        return false;
    return true;
}

bool ParseFormat(const std::string& s, palmdat::Format& format) {
    if (s == "414" || s == "4.1.4")
        format = palmdat::Format::V414;
    else if (s == "earlier" || s == "early")
        format = palmdat::Format::Earlier;
    else
        return false;
    return true;
}

bool ParseNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 0);
    return end != text && *end == '\0';
}

// One record from a description line; false with a message on a bad item.
bool ParseRecordLine(const std::string& line, palmdat::Kind kind, palmdat::Format format, palmdat::Record& rec,
                     std::string& error) {
    const auto types = palmdat::DefaultFieldTypes(kind, format);
    rec = palmdat::NewRecord(kind, format);
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find('|', start);
        if (end == std::string::npos) end = line.size();
        const std::string item = line.substr(start, end - start);
        start = end + 1;
        if (item.empty()) continue;
        const std::size_t eq = item.find('=');
        long long pos = -1;
        if (eq == std::string::npos || !ParseNumber(item.substr(0, eq).c_str(), pos) || pos < 0 ||
            pos >= static_cast<long long>(types.size())) {
            error = "bad item \"" + item + "\"";
            return false;
        }
        const std::string value = item.substr(eq + 1);
        const std::uint16_t type = types[static_cast<std::size_t>(pos)];
        if (type == 5) {
            rec[static_cast<std::size_t>(pos)] = palmdat::Value::Text(palmdat::Ansi(value));
        } else if (type == 68) {
            rec[static_cast<std::size_t>(pos)] = palmdat::Value::Double(std::atof(value.c_str()));
        } else if (type == 1 || type == 3 || type == 6) {
            long long n = 0;
            if (!ParseNumber(value.c_str(), n)) {
                error = "not a number: \"" + item + "\"";
                return false;
            }
            rec[static_cast<std::size_t>(pos)] = palmdat::Value::Long(static_cast<std::int32_t>(n), type);
        } else {
            error = "position " + std::to_string(pos) + " cannot be described";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string sample, out, describe, kindText;
    palmdat::Format format = palmdat::Format::V414;
    long long records = 0;
    bool badMagic = false, badVersion = false;
    long long cut = -1, fieldsPerRow = -1, fieldCount = -1, totalFields = -1;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto number = [&](long long& target) {
            if (!hasValue || !ParseNumber(argv[++i], target)) {
                std::fprintf(stderr, "palmdat: %s needs a number\n", arg.c_str());
                std::exit(2);
            }
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--sample" && hasValue) {
            sample = argv[++i];
        } else if (arg == "--format" && hasValue) {
            if (!ParseFormat(argv[++i], format)) {
                std::fprintf(stderr, "palmdat: unknown format %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--kind" && hasValue) {
            kindText = argv[++i];
        } else if (arg == "--out" && hasValue) {
            out = argv[++i];
        } else if (arg == "--describe" && hasValue) {
            describe = argv[++i];
        } else if (arg == "--records") {
            number(records);
        } else if (arg == "--cut") {
            number(cut);
        } else if (arg == "--fields-per-row") {
            number(fieldsPerRow);
        } else if (arg == "--field-count") {
            number(fieldCount);
        } else if (arg == "--total-fields") {
            number(totalFields);
        } else if (arg == "--bad-magic") {
            badMagic = true;
        } else if (arg == "--bad-version") {
            badVersion = true;
        } else {
            std::fprintf(stderr, "palmdat: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }

    if (!sample.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(sample, ec);
        std::string error;
        if (!palmdat::WriteSample(sample, format, &error)) {
            std::fprintf(stderr, "palmdat: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }

    palmdat::Kind kind;
    if (kindText.empty() || out.empty() || !ParseKind(kindText, kind)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    palmdat::DatFile file = palmdat::NewFile(kind, format);
    for (long long i = 0; i < records; ++i) {
        palmdat::Record rec = palmdat::NewRecord(kind, format);
        rec[0] = palmdat::Value::Long(static_cast<std::int32_t>(i + 1));
        const bool ex = format == palmdat::Format::V414;
        std::size_t textPos = 0;
        switch (kind) {
        case palmdat::Kind::Address: textPos = ex ? 13 : 4; break;
        case palmdat::Kind::Datebook: textPos = ex ? 15 : 5; break;
        case palmdat::Kind::Todo: textPos = ex ? 13 : 3; break;
        case palmdat::Kind::Memo: textPos = ex ? 13 : 3; break;
        }
        rec[textPos] = palmdat::Value::Text("Record " + std::to_string(i + 1));
        file.records.push_back(std::move(rec));
    }
    if (!describe.empty()) {
        std::ifstream in(describe);
        if (!in) {
            std::fprintf(stderr, "palmdat: cannot read %s\n", describe.c_str());
            return 1;
        }
        std::string line;
        int lineNo = 0;
        while (std::getline(in, line)) {
            ++lineNo;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            palmdat::Record rec;
            std::string error;
            if (!ParseRecordLine(line, kind, format, rec, error)) {
                std::fprintf(stderr, "palmdat: %s line %d: %s\n", describe.c_str(), lineNo, error.c_str());
                return 1;
            }
            file.records.push_back(std::move(rec));
        }
    }
    if (badMagic) file.magic = "PalmSG Database00XX";
    if (badVersion)
        file.version = palmdat::KindVersion(
            kind, format == palmdat::Format::V414 ? palmdat::Format::Earlier : palmdat::Format::V414);
    if (fieldsPerRow >= 0) file.fieldsPerRow = static_cast<std::int32_t>(fieldsPerRow);
    if (fieldCount >= 0) file.fieldCount = static_cast<std::uint16_t>(fieldCount);
    if (totalFields >= 0) file.totalFields = static_cast<std::int32_t>(totalFields);
    if (cut >= 0) file.cutAt = static_cast<std::size_t>(cut);
    if (!palmdat::Write(out, file)) {
        std::fprintf(stderr, "palmdat: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
