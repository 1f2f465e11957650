#pragma once
// The Outlook adapter for notes.
#include <cstdint>
#include <span>

#include "common/outlook/OlItemUtil.h"
#include "common/outlook/OlProps.h"
#include "common/records/CommNoteMgr.h"

// The Outlook side of a note, attached to each loaded CommNoteRec.
struct OlNoteRecord {
    char FolderName[32];
    char Categories[256];
    char EntryID[1024];
    char Subject[256];  // Outlook derives it from the text; never written
    char Body[20480];
    DATE CreationTime;
    DATE LastModificationTime;
    std::uint8_t Saved;
    std::int32_t Color;  // 0 blue, 1 green, 2 pink, 3 yellow, 4 white
    IDispatch* ItemRef;  // always null: the record is copied as bytes and holds no reference
};

class OlNoteUtil : public OlItemUtil<OlNoteUtil, CommNoteRec, CommNoteMgr, OlNoteRecord> {
public:
    static constexpr OlDefaultFolders kFolder = olFolderNotes;
    static constexpr OlItemType kItemType = olNoteItem;
    static constexpr bool kReadsStoreId = false;
    static constexpr bool kUpdateFromLoaded = true;
    static constexpr CommRecordKind kKind = CommKindNote;
    // The members an update may empty or keep (see OlApplyUpdate).
    static std::span<const OlClearable> Clearables();
    static const OlKindTexts& Texts();

    OlNoteUtil() = default;

    bool ReadItem(CDispCmd& item, OlNoteRecord& rec);
    HRESULT WriteItem(CDispCmd& item, OlNoteRecord& rec);
    void ToCommonRecord(const OlNoteRecord& in, CommNoteRec& out);
    void ToOutlookRecord(const CommNoteRec& in, OlNoteRecord& out);
};
