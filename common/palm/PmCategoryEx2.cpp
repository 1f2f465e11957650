#include "common/palm/PmCategoryEx2.h"

#include <cstring>

#include "platform/text/TextCopy.h"

PmCategoryEx2::PmCategoryEx2(std::int32_t id, const char* name, std::int32_t status, std::int32_t color)
    : m_id(id), m_status(status), m_color(color) {
    SetName(name);
}

void PmCategoryEx2::SetName(const char* name) { platform::CopyText(m_name, name); }

void PmCategoryEx2Mgr::Add(const PmCategoryEx2& category) {
    m_categories.push_back(std::make_unique<PmCategoryEx2>(category));
}

void PmCategoryEx2Mgr::Clear() {
    m_categories.clear();
    m_cursor = 0;
}

PmCategoryEx2* PmCategoryEx2Mgr::GetAt(std::size_t index) const {
    return index < m_categories.size() ? m_categories[index].get() : nullptr;
}

PmCategoryEx2* PmCategoryEx2Mgr::FindByID(std::int32_t id) const {
    for (const auto& category : m_categories)
        if (category->GetID() == id) return category.get();
    return nullptr;
}

PmCategoryEx2* PmCategoryEx2Mgr::FindByName(const char* name) const {
    if (name == nullptr) return nullptr;
    for (const auto& category : m_categories)
        if (std::strcmp(category->GetName(), name) == 0) return category.get();
    return nullptr;
}

PmCategoryEx2* PmCategoryEx2Mgr::First() {
    m_cursor = 0;
    return Next();
}

PmCategoryEx2* PmCategoryEx2Mgr::Next() {
    if (m_cursor >= m_categories.size()) return nullptr;
    return m_categories[m_cursor++].get();
}
