// The category table and the schema, the two header parts that both
// generations of the container share.
#include <algorithm>
#include <cstdint>
#include <string>

#include "common/misc/CxDebugUtil.h"
#include "common/palm/PmDBUtil.h"

namespace {

// Logs a line unless it is empty.
void Line(int level, const std::string& text) {
    if (!text.empty()) CX_LOG(level, "%s", text.c_str());
}

struct CategoryLines {
    std::string start, nextID, count, index, id, dirty, name, fileName, add, done;
};

CategoryLines CategoryLinesFor(int style, const std::string& word, bool logFileNameFailure) {
    if (style == 0)
        return {"Start loading Palm Desktop " + word + " category information.",
                "Failed to read the next feed ID.",
                "",
                "",
                "",
                "",
                "Failed to read category name.",
                logFileNameFailure ? "Failed to read category file name." : "",
                "",
                "Load Palm Desktop " + word + " categories successfully."};
    if (style == 1)
        return {"Start reading Palm Desktop address book category information.",
                "Failed to read the next feed ID of the categories.",
                "Failed to read categories count.",
                "Failed to read category index.",
                "Failed to read category ID.",
                "Failed to read category dirty field.",
                "Failed to read the name of the category.",
                "Failed to read category file name.",
                "Failed to add category information.",
                "Palm Desktop address book category information was loaded successfully."};
    return {};
}

}  // namespace

bool PmDBUtil::LoadCategoryTable(LineStyle style, const std::string& word, bool logFileNameFailure) {
    const CategoryLines lines = CategoryLinesFor(static_cast<int>(style), word, logFileNameFailure);
    Line(kLogDetail, lines.start);
    m_categories = std::make_unique<PmCategoryMgr>();

    std::int32_t nextFreeID = 0;
    if (!ReadLong(nextFreeID)) {
        Line(kLogCritical, lines.nextID);
        return false;
    }
    m_categories->SetNextFreeID(nextFreeID);
    std::int32_t countLong = 0;
    if (!ReadLong(countLong)) {
        Line(kLogCritical, lines.count);
        return false;
    }
    // Only the low 16 bits hold the count.
    const int count = static_cast<int>(static_cast<std::uint32_t>(countLong) & 0xFFFF);

    PmCategory category(0, 0, "Unfiled");
    if (!m_categories->Add(category)) {
        Line(kLogCritical, lines.add);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::int32_t index = 0, id = 0, dirty = 0;
        if (!ReadLong(index)) {
            Line(kLogCritical, lines.index);
            return false;
        }
        if (!ReadLong(id)) {
            Line(kLogCritical, lines.id);
            return false;
        }
        if (!ReadLong(dirty)) {
            Line(kLogCritical, lines.dirty);
            return false;
        }
        category.SetIndex(index);
        category.SetID(id);
        category.SetDirty(dirty != 0);
        std::string raw, text;
        if (!ReadCStringRaw(raw, 256)) {
            Line(kLogCritical, lines.name);
            return false;
        }
        Decode(raw, text);
        if (style == LineStyle::Ex) CX_LOG(kLogDetail, "Read category:%s", text.c_str());
        category.SetName(text.c_str());
        if (!ReadCStringRaw(raw, 256)) {
            Line(kLogCritical, lines.fileName);
            return false;
        }
        Decode(raw, text);
        category.SetFileName(text.c_str());
        if (!m_categories->Add(category)) {
            Line(kLogCritical, lines.add);
            return false;
        }
    }
    m_categories->SetModified(false);
    Line(kLogDetail, lines.done);
    return true;
}

bool PmDBUtil::LoadSchemaTable(LineStyle style, const std::string& word) {
    const bool ex = style == LineStyle::Ex;
    const bool early = style == LineStyle::EarlyAddress;
    if (ex) CX_LOG(kLogDetail, "Start loading Palm Desktop %s database schema.", word.c_str());
    if (early) CX_LOG(kLogDetail, "Start loading Palm Desktop address book database schema information.");

    struct Step {
        std::int32_t* target;
        const char* exValue;
        const char* exFailure;
        const char* earlyFailure;
    };
    const Step steps[] = {
        {&m_schema.ResourceID, "Resource ID:%d", "Failed to read resource ID.", "Failed to read schema resource ID."},
        {&m_schema.FieldsPerRow, "Fields Per Row:%d", "Failed to read fields per row.",
         "Failed to read fields per row."},
        {&m_schema.RecordIDPos, "Record ID Position:%d", "Failed to read Record ID Position.",
         "Failed to read resource ID field position."},
        {&m_schema.StatusPos, "Record Status Position:%d", "Failed to read Record Status Position.",
         "Failed to read status field position."},
        {&m_schema.PlacementPos, "Placement Position:%d", "Failed to read Placement Position.",
         "Failed to read placement field position."},
    };
    for (const Step& step : steps) {
        if (!ReadLong(*step.target)) {
            if (ex || early) CX_LOG(kLogCritical, "%s", ex ? step.exFailure : step.earlyFailure);
            return false;
        }
        if (ex) CX_LOG(kLogDetail, step.exValue, *step.target);
    }
    if (!ReadWord(m_schema.FieldCount)) {
        if (ex || early)
            CX_LOG(kLogCritical, "%s", ex ? "Failed to read Fields Count." : "Failed to read field count.");
        return false;
    }
    if (ex) CX_LOG(kLogDetail, "Fields Count:%d", m_schema.FieldCount);

    // Type codes beyond the kind's layout are read and dropped.
    m_schema.FieldTypes.assign(std::min<std::uint32_t>(m_schema.FieldCount, m_layoutCount), 0);
    for (int i = 0; i < m_schema.FieldCount; ++i) {
        std::uint16_t type = 0;
        if (!ReadWord(type)) {
            if (ex) CX_LOG(kLogCritical, "Failed to read Field Type. Index=%d", i);
            if (early) CX_LOG(kLogCritical, "Failed to read field type information. Field index=%d", i);
            return false;
        }
        if (static_cast<std::size_t>(i) < m_schema.FieldTypes.size()) m_schema.FieldTypes[i] = type;
        if (ex) CX_LOG(kLogDetail, "Field (%d) - %d", i + 1, type);
    }
    if (ex) CX_LOG(kLogDetail, "Palm Desktop %s database schema is loaded successfully.", word.c_str());
    if (early) CX_LOG(kLogDetail, "Palm Desktop address book database schema information is loaded successfully.");
    return true;
}
