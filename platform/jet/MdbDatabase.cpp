// The Jet provider on mdbtools' libmdb.
//
// The file is read into memory once, checked, and handed to libmdb as a
// buffer; every cursor opens its own libmdb handle on that buffer, so
// cursors never disturb each other's page buffer. libmdb finds the table
// definition, the columns and the rows; the values are taken from the
// row bytes here, bounds-checked, rather than through libmdb's text
// conversions, which write into fixed-size buffers.
// glib first: mdbtools.h includes it inside extern "C", where its C++
// parts do not compile.
#include <glib.h>
#include <mdbtools.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <mutex>

#include "platform/file/DataFile.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/JetFileCheck.h"
#include "platform/jet/JetNames.h"
#include "platform/jet/JetText.h"
#include "platform/paths/Paths.h"

namespace platform::jet {

namespace {

constexpr std::size_t kMaxFileSize = std::size_t{2} << 30;    // the largest Jet 4 database
constexpr std::size_t kMaxLongValue = std::size_t{16} << 20;  // longest memo taken
constexpr unsigned long kCatalogPage = 2;
constexpr std::size_t kMemoHeader = 12;

using FileBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

struct HandleCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
using HandlePtr = std::unique_ptr<MdbHandle, HandleCloser>;

struct TableFreer {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

HandlePtr OpenHandle(const FileBytes& bytes) {
    // The buffer is only read ("r" mode); libmdb's signature wants it writable.
    return HandlePtr(mdb_open_buffer(const_cast<std::uint8_t*>(bytes->data()), bytes->size(), MDB_NOFLAGS));
}

std::uint32_t Get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One table opened through libmdb: its catalog entry (which the definition
// points at) and its definition with the columns read.
struct OpenTable {
    std::unique_ptr<MdbCatalogEntry> entry;
    TablePtr table;
    std::vector<MdbColumn*> columns;
    std::vector<std::string> names;
};

bool ReadTable(MdbHandle* mdb, unsigned long page, const std::string& name, OpenTable& out) {
    out.entry = std::make_unique<MdbCatalogEntry>();
    std::memset(out.entry.get(), 0, sizeof(MdbCatalogEntry));
    out.entry->mdb = mdb;
    std::strncpy(out.entry->object_name, name.c_str(), MDB_MAX_OBJ_NAME);
    out.entry->object_type = MDB_TABLE;
    out.entry->table_pg = page;
    out.table.reset(mdb_read_table(out.entry.get()));
    if (!out.table) return false;
    GPtrArray* columns = mdb_read_columns(out.table.get());
    if (columns == nullptr) return false;
    for (guint i = 0; i < columns->len; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(columns, i));
        out.columns.push_back(col);
        out.names.emplace_back(col->name);
    }
    mdb_rewind_table(out.table.get());
    return true;
}

// The bytes of a memo or OLE value whose 12-byte header stands at `field`.
// `intact` turns false when the value's pages do not hold what its header
// says.
std::vector<std::uint8_t> LongValueBytes(MdbHandle* mdb, const unsigned char* field, std::size_t fieldLen,
                                         std::size_t pageCount, bool& intact) {
    std::vector<std::uint8_t> out;
    if (fieldLen < kMemoHeader) return out;
    const std::uint32_t header = Get32(field);
    const std::uint32_t length = header & 0x3FFFFFFFu;
    if (header & 0x80000000u) {  // kept in the row
        out.assign(field + kMemoHeader, field + fieldLen);
        return out;
    }
    void* buf = nullptr;
    int start = 0;
    std::size_t len = 0;
    std::uint32_t pointer = Get32(field + 4);
    auto readRow = [&](std::uint32_t ptr) {
        if (mdb_find_pg_row(mdb, static_cast<int>(ptr), &buf, &start, &len) != 0 || buf == nullptr || start < 0 ||
            static_cast<std::size_t>(start) + len > kJetPageSize)
            return false;
        return true;
    };
    if (header & 0x40000000u) {  // one row on a long-value page
        if (readRow(pointer) && len >= std::min<std::size_t>(length, kMaxLongValue)) {
            const auto* p = static_cast<const std::uint8_t*>(buf) + start;
            out.assign(p, p + std::min<std::size_t>(len, kMaxLongValue));
        } else {
            intact = false;
        }
        return out;
    }
    if ((header & 0xFF000000u) != 0) return out;  // a form not known
    // A chain of rows, each starting with the pointer to the next.
    std::size_t visited = 0;
    while (pointer != 0 && out.size() < length && out.size() < kMaxLongValue && visited++ < pageCount) {
        if (!readRow(pointer) || len < 4) break;
        const auto* p = static_cast<const std::uint8_t*>(buf) + start;
        const std::uint32_t next = Get32(p);
        const std::size_t take =
            std::min({len - 4, static_cast<std::size_t>(length) - out.size(), kMaxLongValue - out.size()});
        out.insert(out.end(), p + 4, p + 4 + take);
        pointer = next;
    }
    if (out.size() < std::min<std::size_t>(length, kMaxLongValue)) intact = false;
    return out;
}

// The value of a column in the row libmdb has just fetched.
Value ReadValue(MdbHandle* mdb, const MdbColumn* col, std::size_t pageCount, bool& intact) {
    if (col->col_type == MDB_BOOL) return Value::Boolean(col->cur_value_len == 0);  // libmdb keeps "is null" there
    const int start = col->cur_value_start;
    const int len = col->cur_value_len;
    if (start < 0 || len <= 0 || static_cast<std::size_t>(start) + static_cast<std::size_t>(len) > kJetPageSize) {
        // null, empty or out of the page
        return col->col_type == MDB_TEXT || col->col_type == MDB_MEMO ? Value::Text("") : Value::None();
    }
    const unsigned char* p = mdb->pg_buf + start;
    switch (col->col_type) {
    case MDB_INT:
        if (len < 2) return Value::None();
        return Value::Integer(static_cast<std::int16_t>(p[0] | (p[1] << 8)));
    case MDB_LONGINT:
        if (len < 4) return Value::None();
        return Value::Integer(static_cast<std::int32_t>(Get32(p)));
    case MDB_TEXT: return Value::Text(DecodeJetText(p, static_cast<std::size_t>(len)));
    case MDB_MEMO: {
        const std::vector<std::uint8_t> bytes =
            LongValueBytes(mdb, p, static_cast<std::size_t>(len), pageCount, intact);
        return Value::Text(DecodeJetText(bytes.data(), bytes.size()));
    }
    default: return Value::None();
    }
}

class MdbCursor : public RowCursor {
public:
    MdbCursor(FileBytes bytes, HandlePtr handle, OpenTable table, std::vector<std::size_t> columns)
        : m_bytes(std::move(bytes)),
          m_handle(std::move(handle)),
          m_table(std::move(table)),
          m_selected(std::move(columns)) {}

    bool Fetch(std::vector<Value>& values) override {
        if (!m_error.empty()) return false;
        if (!mdb_fetch_row(m_table.table.get())) {
            // libmdb ends the rows at a page it cannot read: the rows read
            // must be all that the table definition counts.
            const std::size_t expected = m_table.table->num_rows;
            if (m_fetched < expected)
                m_error = "The table \"" + std::string(m_table.entry->object_name) +
                          "\" is damaged: " + std::to_string(m_fetched) + " of its " + std::to_string(expected) +
                          " rows can be read.";
            return false;
        }
        values.clear();
        const std::size_t pages = m_bytes->size() / kJetPageSize;
        bool intact = true;
        for (std::size_t i : m_selected) values.push_back(ReadValue(m_handle.get(), m_table.columns[i], pages, intact));
        if (!intact) {
            m_error = "A long text of row " + std::to_string(m_fetched + 1) + " of table \"" +
                      m_table.entry->object_name + "\" is damaged.";
            values.clear();
            return false;
        }
        ++m_fetched;
        return true;
    }

    std::string Error() const override { return m_error; }

private:
    // Destroyed in reverse order: the table before the handle it reads
    // through, the handle before the bytes it reads.
    FileBytes m_bytes;
    HandlePtr m_handle;
    OpenTable m_table;
    std::vector<std::size_t> m_selected;
    std::size_t m_fetched = 0;
    std::string m_error;
};

struct CatalogEntry {
    std::string name;
    unsigned long page = 0;
};

class MdbDatabase : public Database {
public:
    MdbDatabase(FileBytes bytes, std::vector<CatalogEntry> catalog)
        : m_bytes(std::move(bytes)), m_catalog(std::move(catalog)) {}

    std::unique_ptr<RowCursor> Select(const SelectStatement& statement, std::vector<std::string>& fieldNames,
                                      std::string& error) override {
        const auto found = std::find_if(m_catalog.begin(), m_catalog.end(),
                                        [&](const CatalogEntry& e) { return SameName(e.name, statement.table); });
        if (found == m_catalog.end()) {
            error = TableNotFound(statement.table);
            return nullptr;
        }
        const CatalogEntry* entry = &*found;
        std::string why;
        if (!CheckJetTable(m_bytes->data(), m_bytes->size(), static_cast<std::uint32_t>(entry->page), why)) {
            error = "The table \"" + entry->name + "\" is damaged: " + why + ".";
            return nullptr;
        }
        HandlePtr handle = OpenHandle(m_bytes);
        OpenTable table;
        if (!handle || !ReadTable(handle.get(), entry->page, entry->name, table)) {
            error = "The definition of table \"" + entry->name + "\" cannot be read.";
            return nullptr;
        }
        std::vector<std::size_t> indexes;
        if (!ResolveColumns(statement, entry->name, table.names, indexes, fieldNames, error)) return nullptr;
        return std::make_unique<MdbCursor>(m_bytes, std::move(handle), std::move(table), std::move(indexes));
    }

private:
    FileBytes m_bytes;
    std::vector<CatalogEntry> m_catalog;
};

// The tables of the catalog (the table "MSysObjects" on page 2).
bool ReadCatalog(const FileBytes& bytes, std::vector<CatalogEntry>& catalog) {
    HandlePtr handle = OpenHandle(bytes);
    if (!handle) return false;
    OpenTable table;
    bool ok = ReadTable(handle.get(), kCatalogPage, "MSysObjects", table);
    std::size_t id = 0, name = 0, type = 0;
    auto find = [&](const char* wanted, std::size_t& at) {
        for (at = 0; at < table.names.size(); ++at)
            if (SameName(table.names[at], wanted)) return true;
        return false;
    };
    ok = ok && find("Id", id) && find("Name", name) && find("Type", type);
    const std::size_t pages = bytes->size() / kJetPageSize;
    while (ok && mdb_fetch_row(table.table.get())) {
        bool intact = true;
        const Value vId = ReadValue(handle.get(), table.columns[id], pages, intact);
        const Value vName = ReadValue(handle.get(), table.columns[name], pages, intact);
        const Value vType = ReadValue(handle.get(), table.columns[type], pages, intact);
        if (vId.kind != ValueKind::Integer || vName.kind != ValueKind::Text || vType.kind != ValueKind::Integer ||
            (vType.integer & 0x7F) != MDB_TABLE || vName.text.empty())
            continue;
        const unsigned long page = static_cast<std::uint32_t>(vId.integer) & 0x00FFFFFFu;
        if (page == 0 || page >= pages) continue;
        catalog.push_back({vName.text.substr(0, MDB_MAX_OBJ_NAME), page});
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string& error) {
    using platform::file::OpenFailure;
    switch (platform::file::ReadWholeFile(path, kMaxFileSize, out)) {
    case OpenFailure::None: return true;
    case OpenFailure::Missing: error = FileNotFound(path); break;
    case OpenFailure::NotRegular: error = "\"" + path + "\" is not a file."; break;
    case OpenFailure::TooLarge: error = "\"" + path + "\" is larger than a Jet database can be."; break;
    case OpenFailure::Denied: error = "Could not open \"" + path + "\": permission denied."; break;
    default: error = "Could not read \"" + path + "\"."; break;
    }
    return false;
}

std::shared_ptr<Database> OpenChecked(FileBytes bytes, const std::string& name, std::string& error) {
    std::string why;
    if (!CheckJetFile(bytes->data(), bytes->size(), why)) {
        error = "\"" + name + "\" is not a Jet 4 database: " + why + ".";
        return nullptr;
    }
    std::vector<CatalogEntry> catalog;
    if (!CheckJetTable(bytes->data(), bytes->size(), kCatalogPage, why) || !ReadCatalog(bytes, catalog)) {
        error = "\"" + name + "\" is damaged: its table catalog cannot be read.";
        return nullptr;
    }
    return std::make_shared<MdbDatabase>(std::move(bytes), std::move(catalog));
}

class MdbProvider : public Provider {
public:
    std::shared_ptr<Database> Open(const std::string& path, std::string& error) override {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(platform::ResolvePath(path), bytes, error)) return nullptr;
        return OpenJetBytes(std::move(bytes), path, error);
    }
};

std::mutex g_providerMutex;
std::shared_ptr<Provider> g_defaultProvider;

}  // namespace

std::shared_ptr<Database> OpenJetBytes(std::vector<std::uint8_t> bytes, const std::string& name, std::string& error) {
    return OpenChecked(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)), name, error);
}

std::shared_ptr<Provider> MdbToolsProvider() {
    static const std::shared_ptr<Provider> provider = std::make_shared<MdbProvider>();
    return provider;
}

std::shared_ptr<Provider> DefaultProvider() {
    std::lock_guard<std::mutex> lock(g_providerMutex);
    return g_defaultProvider ? g_defaultProvider : MdbToolsProvider();
}

std::shared_ptr<Provider> SetDefaultProvider(std::shared_ptr<Provider> provider) {
    std::lock_guard<std::mutex> lock(g_providerMutex);
    std::shared_ptr<Provider> old = g_defaultProvider ? g_defaultProvider : MdbToolsProvider();
    g_defaultProvider = std::move(provider);
    return old;
}

}  // namespace platform::jet
