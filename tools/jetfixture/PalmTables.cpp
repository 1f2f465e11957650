#include "tools/jetfixture/PalmTables.h"

namespace jetfixture {

namespace {

ColumnDef Long(const char* name) { return {name, ColumnType::LongInteger, 0}; }
ColumnDef Flag(const char* name) { return {name, ColumnType::Boolean, 0}; }
ColumnDef Text(const char* name) { return {name, ColumnType::Text, 255}; }
ColumnDef Memo(const char* name) { return {name, ColumnType::Memo, 0}; }

void AddTexts(std::vector<ColumnDef>& cols, std::initializer_list<const char*> names) {
    for (const char* n : names) cols.push_back(Text(n));
}
void AddLongs(std::vector<ColumnDef>& cols, std::initializer_list<const char*> names) {
    for (const char* n : names) cols.push_back(Long(n));
}

std::vector<ColumnDef> ContactColumns() {
    std::vector<ColumnDef> c;
    AddLongs(c, {"Record ID", "Status", "Placement"});
    c.push_back(Flag("Private"));
    c.push_back(Long("Category"));
    c.push_back(Memo("Note"));
    AddTexts(c, {"Prefix", "First Name", "Middle Name", "Last Name", "Suffix", "NickName"});
    AddLongs(c, {"Anniversary", "Birthday"});
    AddTexts(c, {"Profession", "Company", "Job Title", "Assistant Name", "Assistant Phone"});
    AddTexts(c, {"Work Street", "Work City", "Work State", "Work Zip", "Work Country"});
    AddTexts(c, {"Home Street", "Home City", "Home State", "Home Zip", "Home Country"});
    AddTexts(c, {"Other Street", "Other City", "Other State", "Other Zip", "Other Country"});
    AddTexts(c, {"Work Phone", "Work Fax", "Work Mobile", "Home Phone", "Home Fax", "Home Mobile", "Other Phone"});
    AddTexts(c, {"Other Fax", "Other Mobile", "Work E-mail", "E-mail 1", "E-mail 2", "E-mail 3", "Pager"});
    AddTexts(c, {"Custom 1", "Custom 2", "Custom 3", "Custom 4"});
    c.push_back(Long("Primary Contact"));
    AddLongs(c, {"Phone Label1", "Phone Label2", "Phone Label3", "Phone Label4", "Phone Label5", "Phone Label6",
                 "Phone Label7"});
    AddTexts(c, {"First Yomi", "Last Yomi", "Company Yomi", "Chat1", "Chat2"});
    AddLongs(c, {"Chat1 LabelID", "Chat2 LabelID"});
    c.push_back(Text("Website"));
    AddTexts(c, {"Custom 5", "Custom 6", "Custom 7", "Custom 8", "Custom 9", "Custom 10", "Custom 11", "Custom 12",
                 "Custom 13", "Custom 14"});
    c.push_back(Flag("Birthday AlarmSet"));
    AddLongs(c, {"Birthday AlarmAdv", "Avatar", "Addr Label1", "Addr Label2", "Addr Label3"});
    c.push_back(Flag("Anniversary AlarmSet"));
    c.push_back(Long("Anniversary AlarmAdv"));
    AddTexts(c, {"English Name", "Picture URL", "Picture Filename", "Picture MIME type", "Picture Sync counter",
                 "Ringtone URL", "Ringtone Filename", "Ringtone MIME type", "Ringtone Sync counter"});
    return c;
}

std::vector<ColumnDef> CalendarColumns() {
    std::vector<ColumnDef> c;
    AddLongs(c, {"Record ID", "Status", "Placement"});
    c.push_back(Flag("Private"));
    c.push_back(Long("Category"));
    c.push_back(Memo("Note"));
    AddLongs(c, {"Start Time", "End Time"});
    c.push_back(Flag("Untimed"));
    AddTexts(c, {"Time Zone", "Location", "Summary"});
    c.push_back(Flag("Alarm"));
    AddLongs(c, {"Alarm Advance", "Alarm Unit"});
    c.push_back(Text("Repeated Event"));
    return c;
}

std::vector<ColumnDef> TaskColumns() {
    std::vector<ColumnDef> c;
    AddLongs(c, {"Record ID", "Status", "Placement"});
    c.push_back(Flag("Private"));
    c.push_back(Long("Category"));
    c.push_back(Memo("Note"));
    c.push_back(Text("Description"));
    c.push_back(Long("Due Date"));
    c.push_back(Flag("Completed"));
    c.push_back(Long("Priority"));
    c.push_back(Flag("Repeat On Complete Date"));
    c.push_back(Long("Complete Date"));
    c.push_back(Flag("Alarm Set"));
    AddLongs(c, {"Alarm Time", "Alarm Advance", "Repeat Start Date"});
    c.push_back(Text("Repeat Info"));
    return c;
}

std::vector<ColumnDef> MemoColumns() {
    std::vector<ColumnDef> c;
    AddLongs(c, {"Record ID", "Status", "Placement"});
    c.push_back(Flag("Private"));
    c.push_back(Text("Category"));
    c.push_back(Memo("Note"));
    return c;
}

Cell DefaultCell(ColumnType type) {
    switch (type) {
    case ColumnType::Boolean: return false;
    case ColumnType::Text:
    case ColumnType::Memo: return std::string();
    default: return std::int64_t{0};
    }
}

}  // namespace

const char* PalmDatabaseFileName(PalmKind kind) {
    switch (kind) {
    case PalmKind::Contacts: return "Address.mdb";
    case PalmKind::Calendar: return "DateBook.mdb";
    case PalmKind::Tasks: return "Todolist.mdb";
    case PalmKind::Memos: return "MemoPad.mdb";
    }
    return "";
}

std::vector<ColumnDef> PalmCategoryColumns() { return {Long("ID"), Text("Name"), Long("Status"), Long("Color")}; }

std::vector<ColumnDef> PalmMainColumns(PalmKind kind) {
    switch (kind) {
    case PalmKind::Contacts: return ContactColumns();
    case PalmKind::Calendar: return CalendarColumns();
    case PalmKind::Tasks: return TaskColumns();
    case PalmKind::Memos: return MemoColumns();
    }
    return {};
}

PalmDatabase::PalmDatabase(PalmKind kind, WriterOptions options) : m_kind(kind), m_writer(options) {
    m_writer.AddTable("Category", PalmCategoryColumns());
    m_writer.AddTable("Main", PalmMainColumns(kind));
}

void PalmDatabase::AddCategory(const PalmCategory& category) {
    m_writer.Table(0).rows.push_back(
        {std::int64_t{category.id}, category.name, std::int64_t{category.status}, std::int64_t{category.color}});
}

bool PalmDatabase::AddRecord(const PalmRecord& record, std::string& error) {
    TableDef& table = m_writer.Table(1);
    std::vector<Cell> row;
    row.reserve(table.columns.size());
    for (const ColumnDef& c : table.columns) row.push_back(DefaultCell(c.type));
    for (const auto& [name, value] : record) {
        std::size_t i = 0;
        while (i < table.columns.size() && table.columns[i].name != name) ++i;
        if (i == table.columns.size()) {
            error = "table \"Main\" has no column \"" + name + "\"";
            return false;
        }
        row[i] = value;
    }
    table.rows.push_back(std::move(row));
    return true;
}

}  // namespace jetfixture
