#include "common/palm/PmCategory.h"

#include <cstring>
#include <string_view>

#include "platform/text/TextCopy.h"

namespace {

// Next code point of a UTF-8 text; malformed bytes stand for themselves.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int extra = (c >= 0xF0 && c < 0xF8) ? 3 : (c >= 0xE0 && c < 0xF0) ? 2 : (c >= 0xC0 && c < 0xE0) ? 1 : 0;
    if (extra == 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
        ++i;
        return c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char t = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// Simple case folding of the Latin letters Palm Desktop's code pages hold.
char32_t Fold(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
    if (cp >= 0x100 && cp <= 0x17F && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 && cp != 0x17F) {
        // Latin Extended-A pairs upper and lower case as even/odd neighbours,
        // shifted by one between U+0139 and U+0148 and from U+0179 on.
        const bool shifted = (cp >= 0x139 && cp <= 0x148) || cp >= 0x179;
        return shifted ? ((cp & 1) ? cp + 1 : cp) : (cp | 1);
    }
    if (cp == 0x178) return 0xFF;
    return cp;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
        if (Fold(NextCodePoint(a, i)) != Fold(NextCodePoint(b, j))) return false;
    return i == a.size() && j == b.size();
}

bool CopyOut(const char* text, char* buffer, std::size_t size) {
    const std::size_t len = std::strlen(text);
    if (buffer == nullptr || len == 0 || len + 1 > size) return false;
    std::memcpy(buffer, text, len + 1);
    return true;
}

}  // namespace

PmCategory::PmCategory(std::int32_t index, std::int32_t id, const char* name) : m_index(index), m_id(id) {
    SetName(name);
}

bool PmCategory::CopyName(char* buffer, std::size_t size) const { return CopyOut(m_name, buffer, size); }

bool PmCategory::CopyFileName(char* buffer, std::size_t size) const { return CopyOut(m_fileName, buffer, size); }

void PmCategory::SetName(const char* name) { platform::CopyText(m_name, name); }

void PmCategory::SetFileName(const char* fileName) { platform::CopyText(m_fileName, fileName); }

void PmCategory::SetDirty(bool dirty) {
    if (dirty)
        m_flags |= kDirtyFlag;
    else
        m_flags &= ~kDirtyFlag;
}

bool PmCategory::Equals(const PmCategory& other) const {
    return m_index == other.m_index && m_id == other.m_id && std::strcmp(m_name, other.m_name) == 0;
}

PmCategory* PmCategoryMgr::FindByID(std::int32_t id) const {
    for (const auto& slot : m_slots)
        if (slot && slot->GetID() == id) return slot.get();
    return nullptr;
}

PmCategory* PmCategoryMgr::GetAt(std::int32_t slot) const {
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return m_slots[slot].get();
}

PmCategory* PmCategoryMgr::FindByName(const char* name) const {
    if (name == nullptr || name[0] == '\0') return nullptr;
    for (const auto& slot : m_slots)
        if (slot && EqualsNoCase(slot->GetName(), name)) return slot.get();
    return nullptr;
}

PmCategory* PmCategoryMgr::First() {
    m_cursor = -1;
    return Next();
}

PmCategory* PmCategoryMgr::Next() {
    while (++m_cursor < kSlotCount)
        if (m_slots[m_cursor]) return m_slots[m_cursor].get();
    m_cursor = kSlotCount;
    return nullptr;
}

std::int32_t PmCategoryMgr::NewID() const {
    // One more than the highest ID in the filled slots before the first
    // empty one; no empty slot, or an empty slot 0, gives none.
    std::int32_t highest = -1;
    int slot = 0;
    for (; slot < kSlotCount && m_slots[slot]; ++slot)
        if (m_slots[slot]->GetID() > highest) highest = m_slots[slot]->GetID();
    if (slot == 0 || slot == kSlotCount) return -1;
    std::int32_t id = highest + 1;
    if (FindByID(id) != nullptr) {
        // A category further on already has it: go past the highest of all.
        for (const auto& s : m_slots)
            if (s && s->GetID() >= id) id = s->GetID() + 1;
    }
    return id;
}

void PmCategoryMgr::MakeFileName(const char* name, char* buffer, std::size_t size) {
    static constexpr std::string_view kRefused = "\"*+,./:;<=>?[\\]^|";
    const std::size_t n = platform::CopyText(buffer, size, name);
    for (std::size_t i = 0; i < n; ++i)
        if (kRefused.find(buffer[i]) != std::string_view::npos) buffer[i] = '_';
}

bool PmCategoryMgr::Add(const PmCategory& category) {
    if (m_count >= kSlotCount) return false;
    auto copy = std::make_unique<PmCategory>(category);
    if (copy->GetIndex() == -1) {
        std::int32_t slot = 1;
        while (slot < kSlotCount && m_slots[slot]) ++slot;
        if (slot == kSlotCount) return false;
        copy->SetIndex(slot);
        copy->SetDirty(true);
    }
    const std::int32_t index = copy->GetIndex();
    if (index < 0 || index >= kSlotCount || m_slots[index]) return false;
    if (copy->GetID() == -1) {
        const std::int32_t id = NewID();
        if (id == -1) return false;
        copy->SetID(id);
        copy->SetDirty(true);
    } else if (FindByID(copy->GetID()) != nullptr) {
        return false;
    }
    if (copy->GetName()[0] != '\0') {
        char fileName[PmCategory::kFileNameSize];
        MakeFileName(copy->GetName(), fileName, sizeof fileName);
        copy->SetFileName(fileName);
    }
    m_slots[index] = std::move(copy);
    ++m_count;
    SetModified(true);
    return true;
}
