#include "common/records/CxSWLog.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "common/misc/CxDateTime.h"
#include "common/misc/CxDebugUtil.h"
#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"

namespace {

constexpr const char* kKindNames[4] = {"Contact", "Calendar", "Task", "Note"};

}  // namespace

CxSWLog::CxSWLog() {
    m_path[0] = '\0';
    const std::string folder = platform::DataFolder(&m_folderError);
    if (!folder.empty()) platform::CopyText(m_path, folder + "SWLog.txt");
}

CxSWLog::CxSWLog(const char* path) { platform::CopyText(m_path, path); }

CxSWLog::~CxSWLog() { CloseLog(); }

bool CxSWLog::OpenLog() {
    CloseLog();
    m_open = m_path[0] != '\0' && m_file.Open(m_path, "wb", /*ownerOnly=*/true);
    return m_open;
}

void CxSWLog::CloseLog() {
    m_open = false;
    m_file.Close();
}

void CxSWLog::WriteLogLine(const char* text) {
    if (m_open) m_file.WriteLine(text ? text : "");
}

void CxSWLog::FormatLogField(char* buffer, std::size_t size, int indent, const char* label, const char* value) {
    if (buffer == nullptr || size == 0 || label == nullptr || *label == '\0') return;
    char tabs[32];
    const int n = indent < 0 ? 0 : (indent > 31 ? 31 : indent);
    std::memset(tabs, '\t', static_cast<std::size_t>(n));
    tabs[n] = '\0';
    std::snprintf(buffer, size, "%s%s: %s", tabs, label, (value && *value) ? value : "<empty>");
}

void CxSWLog::WriteField(const char* label, const char* value) {
    char line[1024];
    // A value is one line of the log, whatever breaks the record's text holds.
    const std::string oneLine = CxDebugUtil::OneLine(value ? value : "");
    FormatLogField(line, sizeof line, 1, label, oneLine.c_str());
    WriteLogLine(line);
}

std::string CxSWLog::BriefNote(const char* note) {
    if (note == nullptr) return std::string();
    std::string_view text(note);
    std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) end = text.find('\n');
    if (end != std::string_view::npos) text = text.substr(0, end);
    return std::string(text.substr(0, platform::Utf8PrefixLength(text, 255)));
}

void CxSWLog::BeginContact(const CommAddrRec* rec) {
    if (rec == nullptr || !m_open) return;
    WriteLogLine("Migrating Contact item:");
    WriteField("Display Name", rec->DisplayName);
    WriteField("Company", rec->Company);
    WriteField("Title", rec->Title);
    WriteField("Email", rec->Email);
    WriteField("Primary Phone", rec->PrimaryPhone);
}

void CxSWLog::BeginCalendar(const CommDateRec* rec) {
    if (rec == nullptr || !m_open) return;
    WriteLogLine("Migrating Calendar item:");
    WriteField("Subject", rec->Subject);
    WriteField("Location", rec->Location);
    char date[32], start[32], end[32];
    CxDateTime(rec->Start).FormatDate(date, sizeof date);
    CxDateTime(rec->Start).FormatTime(start, sizeof start);
    CxDateTime(rec->End).FormatTime(end, sizeof end);
    WriteField("Date", date);
    WriteField("Start Time", start);
    WriteField("End Time", end);
}

void CxSWLog::BeginTask(const CommTaskRec* rec) {
    if (rec == nullptr || !m_open) return;
    WriteLogLine("Migrating Task item:");
    WriteField("Subject", rec->Subject);
}

void CxSWLog::BeginNote(const CommNoteRec* rec) {
    if (rec == nullptr || !m_open) return;
    WriteLogLine("Migrating Note item:");
    WriteField("Brief Note", BriefNote(rec->Note).c_str());
}

void CxSWLog::EndEntry(int kind, bool written) {
    if (!m_open || kind < 0 || kind > 3) return;
    char line[128];
    if (written)
        std::snprintf(line, sizeof line, "%s item migrated successfully...\r\n", kKindNames[kind]);
    else
        std::snprintf(line, sizeof line, "%s item could not be written to Outlook.\r\n", kKindNames[kind]);
    WriteLogLine(line);
}

void CxSWLog::LogContact(const CommAddrRec* rec) {
    if (rec == nullptr || !m_open) return;
    BeginContact(rec);
    EndEntry(0, true);
}

void CxSWLog::LogCalendar(const CommDateRec* rec) {
    if (rec == nullptr || !m_open) return;
    BeginCalendar(rec);
    EndEntry(1, true);
}

void CxSWLog::LogTask(const CommTaskRec* rec) {
    if (rec == nullptr || !m_open) return;
    BeginTask(rec);
    EndEntry(2, true);
}

void CxSWLog::LogNote(const CommNoteRec* rec) {
    if (rec == nullptr || !m_open) return;
    BeginNote(rec);
    EndEntry(3, true);
}
