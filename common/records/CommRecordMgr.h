#pragma once
// The list manager shared by the four record kinds: it owns copies of the
// records handed to it (and their native records when they have a size),
// walks them in the order they were added, and decides for a record of
// another list whether this list holds the same item and whether it is
// identical.
//
// An owned native copy is kept packed (PackedNative): a stored record that
// came with a native record of a size has NativeSize set and NativeRecord
// null, and its native record is reached through the list (NativeAt,
// NativeOf, CopyNativeAt), which unpacks it. A native record without a size
// belongs to somebody else and stays in NativeRecord as it was given.
//
// Lookups give exactly the results of a plain scan in list order (the first
// identical key match wins; otherwise the last key match and its position;
// otherwise new with the record count as index), but find the key matches
// through an index of the normalised key fields, so that marking one list
// against another costs the sum of their lengths rather than the product.
// The index follows AddRecord, UpdateRecord and RemoveAllRecords; stored
// records must not have their key fields changed in any other way.
//
// Marking a whole list gives every item of the other list to at most one
// record: first each record, in list order, takes the first item not yet
// taken that is identical to it; then each record left takes the last item
// not yet taken that matches it on the key, else it is new. The list that
// was marked against remembers what each record got until it is emptied,
// so that a writer updates exactly the item the marking chose.
//
// `Rules` gives the kind's field lists and rules:
//   static constexpr int kKeyFields[], kCompareFields[];
//   static bool FieldEqual(const Rec&, const Rec&, int fieldId);
//   static void AppendFieldKey(std::string& key, const Rec&, int fieldId);
//     (for the key fields and the compare fields)
// and optionally a further condition on two records whose key fields are
// equal, with the key form that goes with it:
//   static bool KeyRefinementEqual(const Rec&, const Rec&);
//   static void AppendKeyRefinement(std::string& key, const Rec&);
// and optionally a further condition for two records to be identical, on
// values that the compare fields do not cover (it only ever makes fewer
// records identical):
//   static bool FurtherCompareEqual(const Rec&, const Rec&);
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "common/misc/CxList.h"
#include "common/records/CommTypes.h"
#include "common/records/PackedNative.h"
#include "common/records/RecordBlocks.h"

// FindRecord results.
enum CommFindResult : int {
    CommFindError = -1,
    CommFindSame = 1,
    CommFindNew = 2,
    CommFindDifferent = 3,
};

template <class Rec, class Rules>
class CommRecordMgr {
    static_assert(std::is_trivially_copyable_v<Rec>, "records are copied as bytes");

public:
    CommRecordMgr() = default;
    ~CommRecordMgr() { RemoveAllRecords(); }
    CommRecordMgr(const CommRecordMgr&) = delete;
    CommRecordMgr& operator=(const CommRecordMgr&) = delete;

    // Appends a copy of the record; with a native record of a size above 0
    // the copy gets its own packed copy of it (see above). Null for a null
    // record.
    Rec* AddRecord(const Rec* rec) {
        if (rec == nullptr) return nullptr;
        Entry entry;
        entry.record = m_records.Add(*rec);
        if (entry.record == nullptr) return nullptr;
        if (rec->NativeRecord != nullptr && rec->NativeSize > 0) {
            entry.native = PackedNative(rec->NativeRecord, rec->NativeSize);
            entry.record->NativeRecord = nullptr;
        } else if (rec->NativeSize > 0) {
            entry.record->NativeSize = 0;
        }
        Rec* stored = entry.record;
        if (!m_list.Add(stored)) return nullptr;
        m_entries.push_back(std::move(entry));
        if (m_indexed) IndexInsert(stored, m_entries.size() - 1);
        return stored;
    }

    // Looks a record up (see above). Returns 1 same, 2 new, 3 different,
    // -1 for a null record; `match` and `index` receive the matched stored
    // record and its 0-based position (the record count when new).
    int FindRecord(const Rec* rec, Rec** match, int* index) {
        return FindRecordExcept(rec, match, index, [](const Rec*) { return false; });
    }

    // The same lookup among the stored records that `excluded` does not
    // name (a writer keeps the records it already wrote for other source
    // records out of the lookup).
    template <class Excluded>
    int FindRecordExcept(const Rec* rec, Rec** match, int* index, Excluded&& excluded) {
        if (rec == nullptr) return CommFindError;
        EnsureIndex();
        std::string key;
        MakeKey(*rec, key);
        Rec* found = nullptr;
        std::size_t position = m_entries.size();
        int result = CommFindNew;
        if (auto it = m_index.find(key); it != m_index.end()) {
            for (std::uint32_t pos : it->second) {
                Rec* candidate = m_entries[pos].record;
                if (excluded(static_cast<const Rec*>(candidate))) continue;
                if (candidate == rec || CompareEqual(*candidate, *rec)) {
                    return Report(CommFindSame, candidate, pos, match, index);
                }
                found = candidate;
                position = pos;
                result = CommFindDifferent;
            }
        }
        return Report(result, found, position, match, index);
    }

    // The same lookup as a plain scan of the list, as the comparison is
    // defined; kept as the reference for the indexed lookup.
    int FindRecordScan(const Rec* rec, Rec** match, int* index) {
        if (rec == nullptr) return CommFindError;
        Rec* found = nullptr;
        std::size_t remembered = m_entries.size();
        int result = CommFindNew;
        std::size_t pos = 0;
        for (Rec* cur = m_list.GetFirst(); cur != nullptr; cur = m_list.GetNext(), ++pos) {
            if (cur == rec) return Report(CommFindSame, cur, pos, match, index);
            if (KeyEqual(*cur, *rec)) {
                found = cur;
                if (CompareEqual(*cur, *rec)) return Report(CommFindSame, cur, pos, match, index);
                result = CommFindDifferent;
                remembered = pos;
            }
        }
        return Report(result, found, remembered, match, index);
    }

    // Sets Status and Counterpart of every stored record by marking this list
    // against `other` (see above). False for a null list.
    bool MarkAgainst(CommRecordMgr* other) {
        if (other == nullptr) return false;
        other->EnsureIndex();
        const std::size_t count = m_entries.size();
        std::vector<std::uint32_t> chosen(count, kNone);
        std::vector<const Bucket*> buckets(count, nullptr);
        std::vector<std::size_t> keyHashes(count);
        std::vector<bool> taken(other->m_entries.size(), false);
        // The records already found identical to the item chosen for them.
        std::vector<bool> knownSame(count, false);
        // Identical items: the first not yet taken. A key shared by several
        // items gets its groups of identical items when first needed.
        struct Group {
            std::vector<std::uint32_t> positions;
            std::size_t next = 0;
        };
        std::unordered_map<const Bucket*, std::unordered_map<std::string, Group>> groups;
        std::string key;
        for (std::size_t s = 0; s < count; ++s) {
            const Rec& rec = *m_entries[s].record;
            MakeKey(rec, key);
            keyHashes[s] = std::hash<std::string>{}(key);
            const auto it = other->m_index.find(key);
            if (it == other->m_index.end()) continue;
            const Bucket& bucket = it->second;
            buckets[s] = &bucket;
            if (bucket.size() == 1) {
                const Rec& item = *other->m_entries[bucket[0]].record;
                if (!taken[bucket[0]] && (&item == &rec || CompareEqual(item, rec))) {
                    chosen[s] = bucket[0];
                    knownSame[s] = true;
                }
            } else {
                auto [at, fresh] = groups.try_emplace(&bucket);
                if (fresh) {
                    for (std::uint32_t pos : bucket) {
                        MakeCompareKey(*other->m_entries[pos].record, key);
                        at->second[key].positions.push_back(pos);
                    }
                }
                MakeCompareKey(rec, key);
                const auto group = at->second.find(key);
                if (group == at->second.end()) continue;
                Group& g = group->second;
                while (g.next < g.positions.size() && taken[g.positions[g.next]]) ++g.next;
                std::size_t pick = g.next;
                if constexpr (kHasFurtherCompare) {
                    while (pick < g.positions.size() &&
                           (taken[g.positions[pick]] ||
                            !Rules::FurtherCompareEqual(*other->m_entries[g.positions[pick]].record, rec)))
                        ++pick;
                }
                if (pick < g.positions.size()) chosen[s] = g.positions[pick];
                if (pick == g.next && pick < g.positions.size()) ++g.next;
            }
            if (chosen[s] != kNone) taken[chosen[s]] = true;
        }
        // The records left: per key, the last item not yet taken.
        std::unordered_map<const Bucket*, std::size_t> ends;
        for (std::size_t s = 0; s < count; ++s) {
            if (chosen[s] != kNone || buckets[s] == nullptr) continue;
            const Bucket& bucket = *buckets[s];
            std::size_t& end = ends.try_emplace(&bucket, bucket.size()).first->second;
            while (end > 0 && taken[bucket[end - 1]]) --end;
            if (end == 0) continue;
            chosen[s] = bucket[--end];
            taken[chosen[s]] = true;
        }
        ApplyMarks(*other, chosen, keyHashes, knownSame);
        return true;
    }

    // MarkAgainst through plain scans of `other`; the reference for the
    // indexed marking.
    bool MarkAgainstScan(CommRecordMgr* other) {
        if (other == nullptr) return false;
        const std::size_t targets = other->m_entries.size();
        std::vector<std::uint32_t> chosen(m_entries.size(), kNone);
        std::vector<bool> taken(targets, false);
        for (std::size_t s = 0; s < m_entries.size(); ++s) {
            const Rec* rec = m_entries[s].record;
            for (std::size_t t = 0; t < targets && chosen[s] == kNone; ++t) {
                const Rec* cur = other->m_entries[t].record;
                if (!taken[t] && (cur == rec || (KeyEqual(*cur, *rec) && CompareEqual(*cur, *rec)))) {
                    chosen[s] = static_cast<std::uint32_t>(t);
                    taken[t] = true;
                }
            }
        }
        for (std::size_t s = 0; s < m_entries.size(); ++s) {
            if (chosen[s] != kNone) continue;
            for (std::size_t t = 0; t < targets; ++t)
                if (!taken[t] && KeyEqual(*other->m_entries[t].record, *m_entries[s].record))
                    chosen[s] = static_cast<std::uint32_t>(t);
            if (chosen[s] != kNone) taken[chosen[s]] = true;
        }
        std::vector<std::size_t> keyHashes(m_entries.size());
        std::string key;
        for (std::size_t s = 0; s < m_entries.size(); ++s) {
            MakeKey(*m_entries[s].record, key);
            keyHashes[s] = std::hash<std::string>{}(key);
        }
        ApplyMarks(*other, chosen, keyHashes, std::vector<bool>(m_entries.size(), false));
        return true;
    }

    // What the last marking of another list against this one chose for
    // `rec`, as FindRecord answers: 1 with the identical item, 3 with the
    // item to update, 2 (new) with no item, each with its position (the
    // record count for new). The item's content decides between 1 and 3, so
    // that an item already updated reads as the same. -1 when `rec` was not
    // marked against this list since it was last emptied, or no longer
    // carries its mark (another Status, Counterpart or key), or the item
    // chosen no longer matches it on the key.
    int FindMarked(const Rec* rec, Rec** match, int* index) {
        if (rec == nullptr) return CommFindError;
        const auto it = m_marks.find(rec);
        if (it == m_marks.end()) return CommFindError;
        const Mark& mark = it->second;
        Rec* chosen = mark.position < m_entries.size() ? m_entries[mark.position].record : nullptr;
        if (rec->Counterpart != chosen || rec->Status != mark.status) return CommFindError;
        std::string key;
        MakeKey(*rec, key);
        if (std::hash<std::string>{}(key) != mark.keyHash) return CommFindError;
        if (chosen == nullptr) return Report(CommFindNew, nullptr, m_entries.size(), match, index);
        if (chosen != rec && !KeyEqual(*chosen, *rec)) return CommFindError;
        const int result = chosen == rec || CompareEqual(*chosen, *rec) ? CommFindSame : CommFindDifferent;
        return Report(result, chosen, mark.position, match, index);
    }

    // The record of another list that the last marking gave this stored
    // record to, or null.
    const Rec* ClaimedBy(const Rec* stored) const {
        const auto it = m_claimedBy.find(stored);
        return it == m_claimedBy.end() ? nullptr : it->second;
    }

    Rec* GetFirstRecord() { return m_list.GetFirst(); }
    Rec* GetNextRecord() { return m_list.GetNext(); }
    unsigned GetRecordCount() const { return static_cast<unsigned>(m_entries.size()); }
    // The stored record at a 0-based position, or null.
    Rec* GetRecordAt(std::size_t position) {
        return position < m_entries.size() ? m_entries[position].record : nullptr;
    }

    // The native record of the stored record at a 0-based position: an
    // owned copy unpacked (on the first asking, then kept until the list is
    // emptied), else the record's own NativeRecord; null for none.
    void* NativeAt(std::size_t position) {
        if (position >= m_entries.size()) return nullptr;
        Entry& entry = m_entries[position];
        if (entry.native.Empty()) return entry.record->NativeRecord;
        if (!entry.unpacked) {
            entry.unpacked = std::make_unique_for_overwrite<std::byte[]>(entry.native.Size());
            entry.native.UnpackInto(entry.unpacked.get());
        }
        return entry.unpacked.get();
    }
    // The same for a stored record (a search of the list).
    void* NativeOf(const Rec* stored) { return NativeAt(PositionOf(stored)); }

    // Copies the owned native copy of the record at a position into `out`,
    // without keeping it unpacked. False when it has no owned copy of
    // exactly `size` bytes.
    bool CopyNativeAt(std::size_t position, void* out, std::size_t size) const {
        if (position >= m_entries.size()) return false;
        const Entry& entry = m_entries[position];
        if (entry.native.Empty() || entry.native.Size() != size) return false;
        if (entry.unpacked)
            std::memcpy(out, entry.unpacked.get(), size);
        else
            entry.native.UnpackInto(out);
        return true;
    }

    // Replaces the owned native copy of the record at a position (one of
    // the same size). False when it has none of exactly `size` bytes.
    bool ReplaceNativeAt(std::size_t position, const void* data, std::size_t size) {
        if (position >= m_entries.size() || data == nullptr) return false;
        Entry& entry = m_entries[position];
        if (entry.native.Empty() || entry.native.Size() != size) return false;
        entry.native = PackedNative(data, size);
        if (entry.unpacked) std::memcpy(entry.unpacked.get(), data, size);
        return true;
    }

    // A stored record takes over the whole content of `src` but keeps its
    // own native record and size. False when `stored` is not in this list.
    // `position`, when known (the index a lookup gave), spares the search.
    bool UpdateRecord(Rec* stored, const Rec& src, std::size_t position = static_cast<std::size_t>(-1)) {
        const std::size_t pos =
            position < m_entries.size() && m_entries[position].record == stored ? position : PositionOf(stored);
        if (pos == m_entries.size()) return false;
        if (m_indexed) IndexErase(stored, pos);
        void* native = stored->NativeRecord;
        const std::uint32_t size = stored->NativeSize;
        if (stored != &src) std::memcpy(stored, &src, sizeof(Rec));
        stored->NativeRecord = native;
        stored->NativeSize = size;
        if (m_indexed) IndexInsert(stored, pos);
        return true;
    }

    // Frees every stored record and its owned native record.
    void RemoveAllRecords() {
        m_list.RemoveAll(false);
        m_entries.clear();
        m_records.Clear();
        m_index.clear();
        m_indexed = false;
        m_marks.clear();
        m_claimedBy.clear();
    }

    std::span<const int> GetKeyFields() const { return Rules::kKeyFields; }
    std::span<const int> GetCompareFields() const { return Rules::kCompareFields; }

    // All key fields equal (an empty list never counts as equal), and the
    // kind's further condition on the key where it has one.
    static bool KeyEqual(const Rec& a, const Rec& b) {
        if (!FieldsEqual(a, b, Rules::kKeyFields)) return false;
        if constexpr (requires { Rules::KeyRefinementEqual(a, b); }) return Rules::KeyRefinementEqual(a, b);
        return true;
    }
    // All compare fields equal, and the kind's further condition where it
    // has one.
    static bool CompareEqual(const Rec& a, const Rec& b) {
        if (!FieldsEqual(a, b, Rules::kCompareFields)) return false;
        if constexpr (kHasFurtherCompare) return Rules::FurtherCompareEqual(a, b);
        return true;
    }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr bool kHasFurtherCompare = requires(const Rec& r) { Rules::FurtherCompareEqual(r, r); };
    using Bucket = std::vector<std::uint32_t>;  // positions of one key, ascending

    struct Entry {
        Rec* record;                            // in m_records
        PackedNative native;                    // the owned copy, when the record came with a size
        std::unique_ptr<std::byte[]> unpacked;  // its full form, once asked for
    };

    template <std::size_t N>
    static bool FieldsEqual(const Rec& a, const Rec& b, const int (&fields)[N]) {
        if (N == 0) return false;
        for (int id : fields)
            if (!Rules::FieldEqual(a, b, id)) return false;
        return true;
    }

    static void MakeKey(const Rec& rec, std::string& key) {
        key.clear();
        for (int id : Rules::kKeyFields) Rules::AppendFieldKey(key, rec, id);
        if constexpr (requires { Rules::AppendKeyRefinement(key, rec); }) Rules::AppendKeyRefinement(key, rec);
    }

    // Equal for two records of equal keys exactly when they are identical
    // on the compare fields.
    static void MakeCompareKey(const Rec& rec, std::string& key) {
        key.clear();
        for (int id : Rules::kCompareFields) Rules::AppendFieldKey(key, rec, id);
    }

    // Sets Status and Counterpart from the positions chosen in `other`, and
    // lets `other` remember them with the hashes of the records' keys.
    // `knownSame` tells the records already compared equal with their item;
    // the others are compared here.
    void ApplyMarks(CommRecordMgr& other, const std::vector<std::uint32_t>& chosen,
                    const std::vector<std::size_t>& keyHashes, const std::vector<bool>& knownSame) {
        other.m_marks.clear();
        other.m_claimedBy.clear();
        other.m_marks.reserve(m_entries.size());
        other.m_claimedBy.reserve(m_entries.size());
        for (std::size_t s = 0; s < m_entries.size(); ++s) {
            Rec& rec = *m_entries[s].record;
            Rec* match = chosen[s] == kNone ? nullptr : other.m_entries[chosen[s]].record;
            const int result = match == nullptr                                               ? CommFindNew
                               : (knownSame[s] || match == &rec || CompareEqual(*match, rec)) ? CommFindSame
                                                                                              : CommFindDifferent;
            SetMark(rec, result, match);
            other.m_marks[&rec] = Mark{chosen[s], rec.Status, keyHashes[s]};
            if (match != nullptr) other.m_claimedBy[match] = &rec;
        }
    }

    static int Report(int result, Rec* found, std::size_t position, Rec** match, int* index) {
        if (match) *match = found;
        if (index) *index = static_cast<int>(position);
        return result;
    }

    static void SetMark(Rec& rec, int result, Rec* match) {
        rec.Status = result == CommFindNew         ? CommStatusNew
                     : result == CommFindDifferent ? CommStatusDifferent
                                                   : CommStatusSame;
        rec.Counterpart = match;
    }

    std::size_t PositionOf(const Rec* rec) const {
        for (std::size_t i = m_entries.size(); i-- > 0;)
            if (m_entries[i].record == rec) return i;
        return m_entries.size();
    }

    void EnsureIndex() {
        if (m_indexed) return;
        m_index.clear();
        m_index.reserve(m_entries.size());
        for (std::size_t i = 0; i < m_entries.size(); ++i) IndexInsert(m_entries[i].record, i);
        m_indexed = true;
    }

    void IndexInsert(const Rec* rec, std::size_t pos) {
        std::string key;
        MakeKey(*rec, key);
        auto& bucket = m_index[key];
        const auto p = static_cast<std::uint32_t>(pos);
        bucket.insert(std::lower_bound(bucket.begin(), bucket.end(), p), p);
    }

    void IndexErase(const Rec* rec, std::size_t pos) {
        std::string key;
        MakeKey(*rec, key);
        auto it = m_index.find(key);
        if (it == m_index.end()) return;
        auto& bucket = it->second;
        const auto p = static_cast<std::uint32_t>(pos);
        auto at = std::lower_bound(bucket.begin(), bucket.end(), p);
        if (at != bucket.end() && *at == p) bucket.erase(at);
        if (bucket.empty()) m_index.erase(it);
    }

    CxList<Rec> m_list;            // the records in the order they were added; owns nothing
    RecordBlocks<Rec> m_records;   // owns the records, in the same order
    std::vector<Entry> m_entries;  // the records and their native copies, in the same order
    std::unordered_map<std::string, std::vector<std::uint32_t>> m_index;
    bool m_indexed = false;
    // What the last marking against this list chose: per record of the
    // marked list, the position it got (kNone for new), its Status and the
    // hash of its key; and per stored record, the record it was given to.
    struct Mark {
        std::uint32_t position;
        std::int32_t status;
        std::size_t keyHash;
    };
    std::unordered_map<const Rec*, Mark> m_marks;
    std::unordered_map<const Rec*, const Rec*> m_claimedBy;
};
