// jetfixture: writes Palm Desktop 6.x databases (Jet 4 ".mdb" files) for
// tests and demonstrations.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tools/jetfixture/PalmSamples.h"
#include "tools/jetfixture/PalmTables.h"

namespace {

using namespace jetfixture;

void Usage() {
    std::fputs(
        "Usage:\n"
        "  jetfixture samples FOLDER [COUNT]\n"
        "      writes Address.mdb, DateBook.mdb, Todolist.mdb and MemoPad.mdb with\n"
        "      COUNT sample records each (default 36) into an existing FOLDER\n"
        "  jetfixture palm KIND OUT.mdb [RECORDS.tsv]\n"
        "      writes one Palm Desktop 6.x database; KIND is contacts, calendar,\n"
        "      tasks or memos. RECORDS.tsv is tab-separated: a header line naming\n"
        "      columns of the table \"Main\", then one line per record. Numbers are\n"
        "      decimal, flags 0/1 or true/false, texts UTF-8 with the escapes \\t,\n"
        "      \\n, \\r and \\\\. A line \"#category ID NAME [STATUS COLOR]\" (tab-\n"
        "      separated) adds a category.\n",
        stderr);
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            fields.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

bool ParseCell(const ColumnDef& column, const std::string& text, Cell& out) {
    if (column.type == ColumnType::Boolean) {
        if (text == "1" || text == "true")
            out = true;
        else if (text == "0" || text == "false" || text.empty())
            out = false;
        else
            return false;
        return true;
    }
    if (column.type == ColumnType::Text || column.type == ColumnType::Memo) {
        out = text;
        return true;
    }
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') return false;
    out = std::int64_t{v};
    return true;
}

bool LoadRecords(PalmDatabase& db, const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    const std::vector<ColumnDef> columns = PalmMainColumns(db.Kind());
    std::vector<const ColumnDef*> header;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::vector<std::string> f = SplitTabs(line);
        if (line.empty()) continue;
        if (f[0] == "#category") {
            if (f.size() < 3) {
                error = path + ":" + std::to_string(lineNo) + ": a category needs an ID and a name";
                return false;
            }
            db.AddCategory({std::atoi(f[1].c_str()), f[2], f.size() > 3 ? std::atoi(f[3].c_str()) : 0,
                            f.size() > 4 ? std::atoi(f[4].c_str()) : 0});
            continue;
        }
        if (header.empty()) {
            for (const std::string& name : f) {
                const ColumnDef* found = nullptr;
                for (const ColumnDef& c : columns)
                    if (c.name == name) found = &c;
                if (!found) {
                    error = path + ":" + std::to_string(lineNo) + ": table \"Main\" has no column \"" + name + "\"";
                    return false;
                }
                header.push_back(found);
            }
            continue;
        }
        PalmRecord record;
        for (std::size_t i = 0; i < f.size() && i < header.size(); ++i) {
            Cell cell;
            if (!ParseCell(*header[i], f[i], cell)) {
                error = path + ":" + std::to_string(lineNo) + ": \"" + f[i] + "\" does not suit column \"" +
                        header[i]->name + "\"";
                return false;
            }
            record.push_back({header[i]->name, cell});
        }
        if (!db.AddRecord(record, error)) return false;
    }
    return true;
}

bool KindFromName(const std::string& name, PalmKind& kind) {
    if (name == "contacts")
        kind = PalmKind::Contacts;
    else if (name == "calendar")
        kind = PalmKind::Calendar;
    else if (name == "tasks")
        kind = PalmKind::Tasks;
    else if (name == "memos")
        kind = PalmKind::Memos;
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    if (args.size() >= 2 && args.size() <= 3 && args[0] == "samples") {
        const int count = args.size() == 3 ? std::atoi(args[2].c_str()) : 36;
        if (count < 1 || count > 100000) {
            Usage();
            return 2;
        }
        if (!WritePalmSamples(args[1], count, error)) {
            std::fprintf(stderr, "jetfixture: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    PalmKind kind{};
    if (args.size() >= 3 && args.size() <= 4 && args[0] == "palm" && KindFromName(args[1], kind)) {
        PalmDatabase db(kind);
        if ((args.size() == 4 && !LoadRecords(db, args[3], error)) || !db.Write(args[2], error)) {
            std::fprintf(stderr, "jetfixture: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    Usage();
    return 2;
}
