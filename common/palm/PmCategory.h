#pragma once
// The categories of one Palm Desktop data file and the store that holds
// them in sixteen slots, slot 0 being "Unfiled".
#include <cstddef>
#include <cstdint>
#include <memory>

class PmCategory {
public:
    static constexpr std::size_t kNameSize = 16;       // 15 characters and the terminator
    static constexpr std::size_t kFileNameSize = 256;  // 255 characters and the terminator
    static constexpr std::int32_t kDirtyFlag = 0x10;

    PmCategory() = default;
    PmCategory(std::int32_t index, std::int32_t id, const char* name);
    virtual ~PmCategory() = default;

    virtual std::int32_t GetIndex() const { return m_index; }
    virtual std::int32_t GetID() const { return m_id; }
    virtual const char* GetName() const { return m_name; }
    // Copy into a caller buffer of `size` bytes; false when the text is empty
    // or does not fit with its terminator.
    virtual bool CopyName(char* buffer, std::size_t size) const;
    virtual bool CopyFileName(char* buffer, std::size_t size) const;
    virtual std::int32_t GetFlags() const { return m_flags; }
    virtual void SetIndex(std::int32_t index) { m_index = index; }
    virtual void SetID(std::int32_t id) { m_id = id; }
    // Longer names are cut to 15 bytes, file names to 255, never inside a
    // UTF-8 sequence.
    virtual void SetName(const char* name);
    virtual void SetFileName(const char* fileName);
    virtual void SetFlags(std::int32_t flags) { m_flags = flags; }
    virtual void SetDirty(bool dirty);
    virtual bool IsFlagSet() const { return (m_flags & 0x01) != 0; }
    // Same index, same ID and same name.
    virtual bool Equals(const PmCategory& other) const;

    const char* GetFileName() const { return m_fileName; }
    bool IsDirty() const { return (m_flags & kDirtyFlag) != 0; }

private:
    std::int32_t m_index = -1;
    std::int32_t m_id = -1;
    char m_name[kNameSize] = {};
    char m_fileName[kFileNameSize] = {};
    std::int32_t m_flags = 0;
};

class PmCategoryMgr {
public:
    static constexpr int kSlotCount = 16;
    static constexpr std::int32_t kInitialNextFreeID = 128;

    PmCategoryMgr() = default;
    virtual ~PmCategoryMgr() = default;
    PmCategoryMgr(const PmCategoryMgr&) = delete;
    PmCategoryMgr& operator=(const PmCategoryMgr&) = delete;

    virtual std::int32_t GetCount() const { return m_count; }
    virtual PmCategory* FindByID(std::int32_t id) const;
    // Slot 0 to 15; null for an empty slot or any other index.
    virtual PmCategory* GetAt(std::int32_t slot) const;
    // Compared without regard to case; an empty name finds nothing.
    virtual PmCategory* FindByName(const char* name) const;
    // Walk of the filled slots in slot order.
    virtual PmCategory* First();
    virtual PmCategory* Next();
    // Stores a copy of the category. An index of -1 takes the first free slot
    // from 1 on, an ID of -1 a new ID; an index outside 0 to 15, a slot that
    // is taken, an ID that is taken or a full store fail the add.
    virtual bool Add(const PmCategory& category);
    virtual void SetModified(bool modified) { m_modified = modified; }

    bool IsModified() const { return m_modified; }
    std::int32_t GetNextFreeID() const { return m_nextFreeID; }
    void SetNextFreeID(std::int32_t id) { m_nextFreeID = id; }

    // A file name made from a category name: characters that file systems
    // refuse are replaced by '_'.
    static void MakeFileName(const char* name, char* buffer, std::size_t size);

private:
    std::int32_t NewID() const;

    std::int32_t m_nextFreeID = kInitialNextFreeID;
    std::int32_t m_cursor = -1;
    std::int32_t m_count = 0;
    std::unique_ptr<PmCategory> m_slots[kSlotCount];
    bool m_modified = false;
};
