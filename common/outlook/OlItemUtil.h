#pragma once
// The part of the four Outlook adapters that only differs in types and
// texts: opening the default folder, loading it into the list manager, and
// writing migrated records as new or updated items.
//
// `Derived` provides:
//   static constexpr OlDefaultFolders kFolder; static constexpr OlItemType kItemType;
//   static constexpr bool kReadsStoreId;       // the folder's "StoreID" is read at load
//   static constexpr bool kUpdateFromLoaded;   // an update starts from the loaded Outlook record
//   static constexpr CommRecordKind kKind;
//   static std::span<const OlClearable> Clearables();  // what an update may empty or keep
//   static const OlKindTexts& Texts();
//   bool ReadItem(CDispCmd& item, OlRec& rec);
//   HRESULT WriteItem(CDispCmd& item, OlRec& rec);  // ends with "Save"
//   void ToCommonRecord(const OlRec& in, Rec& out);
//   void ToOutlookRecord(const Rec& in, OlRec& out);
// and OlRec has the members FolderName and EntryID (and StoreID when read).
//
// The Outlook record attached to a common record holds no interface
// pointer: records are copied as bytes, so an item is always found again
// through its folder position, checked against its EntryID.
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>
#include <utility>

#include "common/misc/CxDebugUtil.h"
#include "common/outlook/OlComm.h"
#include "common/outlook/OlProps.h"
#include "common/records/CommRecordMgr.h"
#include "platform/text/TextCopy.h"

// The kind's debug-log texts; null where the kind logs nothing.
struct OlKindTexts {
    const char* folderNameFailed;     // hr
    const char* folderNameRead;       // name
    const char* storeIdFailed;        // hr
    const char* storeIdRead;          // id
    const char* itemsAtLoad;          // hr
    const char* itemsAtAdd;           // hr
    const char* itemsAtUpdate;        // hr
    const char* addFailed;            // hr
    const char* itemByIndex;          // position, hr
    const char* defaultFolderFailed;  // hr
    const char* defaultFolderOpened;
};

template <class Derived, class Rec, class Mgr, class OlRec>
class OlItemUtil : public OlBaseUtil {
public:
    OlItemUtil() { OlItemUtil::Init(); }
    ~OlItemUtil() override { OlItemUtil::Close(); }

    Mgr* GetRecordList() { return m_list.get(); }

    void Init() override {
        m_list = std::make_unique<Mgr>();
        m_folder.Clear();
        m_connected = OlItemUtil::Start();
    }

    bool Start() override {
        if (!OlBaseUtil::Start()) return false;
        const OlKindTexts& texts = Derived::Texts();
        VARIANT arg = VARIANT::I4(Derived::kFolder);
        VARIANT result;
        const HRESULT hr = m_nameSpace.CallMethod(u"GetDefaultFolder", &arg, 1, &result);
        if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
            if (texts.defaultFolderFailed) CX_LOG(kLogCritical, texts.defaultFolderFailed, static_cast<unsigned>(hr));
            OlItemUtil::Stop();
            return false;
        }
        if (texts.defaultFolderOpened) CX_LOG(kLogDetail, "%s", texts.defaultFolderOpened);
        m_folder.SetInterface(result.pdispVal);
        m_connected = true;
        return true;
    }

    void Stop() override {
        m_folder.Clear();
        OlBaseUtil::Stop();
    }

    void Clear() override {
        if (m_list) m_list->RemoveAllRecords();
        m_written.clear();
        m_writtenFor.clear();
    }

    void Close() override {
        OlItemUtil::Clear();
        m_list.reset();
        OlItemUtil::Stop();
    }

    bool Load() override {
        OlItemUtil::Clear();
        if (m_folder.GetInterface() == nullptr || !m_list) return false;
        const OlKindTexts& texts = Derived::Texts();
        char name[32] = "";
        HRESULT hr = m_folder.GetString(u"Name", name, sizeof name);
        if (hr == S_OK)
            CX_LOG(kLogDetail, texts.folderNameRead, name);
        else
            CX_LOG(kLogCritical, texts.folderNameFailed, static_cast<unsigned>(hr));
        std::unique_ptr<char[]> storeId(new char[1024]());
        if constexpr (Derived::kReadsStoreId) {
            hr = m_folder.GetString(u"StoreID", storeId.get(), 1024);
            if (hr == S_OK)
                CX_LOG(kLogDetail, texts.storeIdRead, storeId.get());
            else
                CX_LOG(kLogCritical, texts.storeIdFailed, static_cast<unsigned>(hr));
        }
        CDispCmd items;
        if (!GetItems(items, texts.itemsAtLoad)) return false;
        auto ol = std::make_unique<OlRec>();
        auto comm = std::make_unique<Rec>();
        VARIANT item;
        for (hr = items.CallMethod(u"GetFirst", nullptr, 0, &item);
             hr == S_OK && item.vt == VT_DISPATCH && item.pdispVal != nullptr;
             hr = items.CallMethod(u"GetNext", nullptr, 0, &item)) {
            CDispCmd cmd(item.pdispVal);
            std::memset(static_cast<void*>(ol.get()), 0, sizeof(OlRec));
            platform::CopyText(ol->FolderName, name);
            if constexpr (Derived::kReadsStoreId) platform::CopyText(ol->StoreID, storeId.get());
            Self().ReadItem(cmd, *ol);
            std::memset(static_cast<void*>(comm.get()), 0, sizeof(Rec));
            Self().ToCommonRecord(*ol, *comm);
            comm->NativeRecord = ol.get();
            comm->NativeSize = sizeof(OlRec);
            comm->SourceType = CommSourceOutlook;
            m_list->AddRecord(comm.get());  // the list keeps its own copy of both
        }
        return true;
    }

    // Creates, updates or leaves the Outlook item of one source record: the
    // item the marking of its list against this one chose for it, or, for a
    // record not marked against the list as it is now loaded, the item a
    // lookup finds for it. An item that this migration wrote for another
    // source record, or that the marking gave to another record, is never
    // this record's item: two source records that the comparison takes for
    // one item (two to-dos of the same subject) would otherwise end as one
    // Outlook item, and one of them would be lost.
    OlMigrateResult MigrateRecord(Rec* rec) {
        if (m_folder.GetInterface() == nullptr || !m_list || rec == nullptr) return OlMigrateFailed;
        Rec* match = nullptr;
        int index = 0;
        const int found = Counterpart(rec, match, index);
        if (found == CommFindError) return OlMigrateFailed;
        if (found == CommFindSame) {
            // Nothing to write, but the item is this record's from now on.
            if (match != nullptr) Written(match, index, rec);
            return OlMigrateUnchanged;
        }
        if (found == CommFindNew) {
            auto copy = std::make_unique<Rec>();
            std::memcpy(static_cast<void*>(copy.get()), rec, sizeof(Rec));
            copy->NativeRecord = nullptr;
            copy->NativeSize = 0;
            copy->Counterpart = nullptr;
            std::unique_ptr<OlRec> ol;
            // Only an item that exists joins the list, so that list
            // positions stay the positions of the folder's items.
            if (!AddItem(*copy, ol)) return OlMigrateFailed;
            copy->NativeRecord = ol.get();
            copy->NativeSize = sizeof(OlRec);
            Rec* stored = m_list->AddRecord(copy.get());
            if (stored != nullptr) Written(stored, static_cast<int>(m_list->GetRecordCount()) - 1, rec);
            return OlMigrateCreated;
        }
        // The list record takes over the source record once its item holds
        // it, and its native copy the record as written.
        auto loaded = std::make_unique<OlRec>();
        const auto position = static_cast<std::size_t>(index);
        if (m_list->GetRecordAt(position) != match) return OlMigrateFailed;
        const bool attached = m_list->CopyNativeAt(position, loaded.get(), sizeof(OlRec));
        if (!UpdateItem(*rec, index, attached ? loaded.get() : nullptr)) return OlMigrateFailed;
        if (attached) m_list->ReplaceNativeAt(position, loaded.get(), sizeof(OlRec));
        m_list->UpdateRecord(match, *rec, position);
        Written(match, index, rec);
        return OlMigrateUpdated;
    }

protected:
    CDispCmd m_folder;
    std::unique_ptr<Mgr> m_list;
    // The list records this migration created, updated or found identical
    // (since the last load), each with the source record it was taken for,
    // and the other way round with the record's list position.
    std::unordered_map<const Rec*, const Rec*> m_written;
    std::unordered_map<const Rec*, std::pair<Rec*, int>> m_writtenFor;

private:
    Derived& Self() { return static_cast<Derived&>(*this); }

    void Written(Rec* stored, int index, const Rec* source) {
        m_written[stored] = source;
        m_writtenFor[source] = {stored, index};
    }

    // The list record that `rec` is to be written into (as FindRecord
    // answers): the one taken for it already, else the one its marking
    // chose while no other source record has it, else a lookup among the
    // records that no other source record was taken for or given to.
    int Counterpart(const Rec* rec, Rec*& match, int& index) {
        if (const auto own = m_writtenFor.find(rec); own != m_writtenFor.end()) {
            match = own->second.first;
            index = own->second.second;
            return Mgr::CompareEqual(*match, *rec) ? CommFindSame : CommFindDifferent;
        }
        const auto takenByOther = [this, rec](const Rec* candidate) {
            const auto it = m_written.find(candidate);
            if (it != m_written.end()) return it->second != rec;
            const Rec* claimer = m_list->ClaimedBy(candidate);
            return claimer != nullptr && claimer != rec;
        };
        const int marked = m_list->FindMarked(rec, &match, &index);
        if (marked != CommFindError && (match == nullptr || !takenByOther(match))) return marked;
        return m_list->FindRecordExcept(rec, &match, &index, takenByOther);
    }

    bool GetItems(CDispCmd& items, const char* failure) {
        IDispatch* raw = nullptr;
        const HRESULT hr = m_folder.GetDispatch(u"Items", &raw);
        if (hr != S_OK || raw == nullptr) {
            CX_LOG(kLogCritical, failure, static_cast<unsigned>(hr));
            return false;
        }
        items.SetInterface(raw);
        raw->Release();
        return true;
    }

    bool AddItem(const Rec& rec, std::unique_ptr<OlRec>& out) {
        const OlKindTexts& texts = Derived::Texts();
        CDispCmd items;
        if (!GetItems(items, texts.itemsAtAdd)) return false;
        VARIANT arg = VARIANT::I4(Derived::kItemType);
        VARIANT result;
        const HRESULT hr = items.CallMethod(u"Add", &arg, 1, &result);
        if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
            CX_LOG(kLogCritical, texts.addFailed, static_cast<unsigned>(hr));
            return false;
        }
        CDispCmd item(result.pdispVal);
        auto ol = std::make_unique<OlRec>();
        Self().ToOutlookRecord(rec, *ol);
        if (!Write(item, *ol)) return false;
        item.GetString(u"EntryID", ol->EntryID, 1023);
        out = std::move(ol);
        return true;
    }

    // Writes `record` over the item at `index`. `loaded` is the item's
    // record as loaded (null when the list has none); it receives the
    // record as written.
    bool UpdateItem(const Rec& record, int index, OlRec* loaded) {
        const OlKindTexts& texts = Derived::Texts();
        CDispCmd items;
        if (!GetItems(items, texts.itemsAtUpdate)) return false;
        const int position = index + 1;
        VARIANT arg = VARIANT::I4(position);
        VARIANT result;
        const HRESULT hr = items.CallMethod(u"Item", &arg, 1, &result);
        if (FAILED(hr) || result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
            CX_LOG(kLogCritical, texts.itemByIndex, position, static_cast<unsigned>(hr));
            return false;
        }
        CDispCmd item(result.pdispVal);
        auto working = std::make_unique<OlRec>();
        const bool attached = loaded != nullptr;
        if (attached && loaded->EntryID[0] != '\0') {
            // Never write over another item than the one that was matched.
            char entryId[1024] = "";
            item.GetString(u"EntryID", entryId, 1023);
            if (std::strncmp(entryId, loaded->EntryID, sizeof entryId) != 0) {
                CX_LOG(kLogCritical, "The Outlook item at position %d is not the item that was loaded there.",
                       position);
                return false;
            }
        }
        if (Derived::kUpdateFromLoaded && attached)
            std::memcpy(static_cast<void*>(working.get()), loaded, sizeof(OlRec));
        Self().ToOutlookRecord(record, *working);
        if (attached)
            OlApplyUpdate(item, loaded, working.get(), Derived::Clearables(), record.SourceType, Derived::kKind);
        if (!Write(item, *working)) return false;
        if (attached) std::memcpy(static_cast<void*>(loaded), working.get(), sizeof(OlRec));
        return true;
    }

    bool Write(CDispCmd& item, OlRec& rec) {
        const HRESULT hr = Self().WriteItem(item, rec);
        if (FAILED(hr)) {
            CX_LOG(kLogCritical, "Failed to save the Outlook item. hr=0x%x", static_cast<unsigned>(hr));
            return false;
        }
        return true;
    }
};
