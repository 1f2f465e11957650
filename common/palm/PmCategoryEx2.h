#pragma once
// The categories of a Palm Desktop 6.x database (its table "Category"),
// and the store that holds them in table order. Unlike the .dat files there
// is no built-in "Unfiled" category.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PmDataAccessor;

class PmCategoryEx2 {
public:
    static constexpr std::size_t kNameSize = 256;

    PmCategoryEx2() = default;
    PmCategoryEx2(std::int32_t id, const char* name, std::int32_t status, std::int32_t color);
    virtual ~PmCategoryEx2() = default;

    std::int32_t GetID() const { return m_id; }
    const char* GetName() const { return m_name; }
    std::int32_t GetStatus() const { return m_status; }
    std::int32_t GetColor() const { return m_color; }
    void SetID(std::int32_t id) { m_id = id; }
    // Cut to 255 bytes, never inside a UTF-8 sequence.
    void SetName(const char* name);
    void SetStatus(std::int32_t status) { m_status = status; }
    void SetColor(std::int32_t color) { m_color = color; }

private:
    std::int32_t m_id = 0;
    char m_name[kNameSize] = {};
    std::int32_t m_status = 0;
    std::int32_t m_color = 0;
};

class PmCategoryEx2Mgr {
public:
    PmCategoryEx2Mgr() = default;
    virtual ~PmCategoryEx2Mgr() = default;
    PmCategoryEx2Mgr(const PmCategoryEx2Mgr&) = delete;
    PmCategoryEx2Mgr& operator=(const PmCategoryEx2Mgr&) = delete;

    // The accessor the store reads through; not owned.
    void SetAccessor(PmDataAccessor* accessor) { m_accessor = accessor; }
    PmDataAccessor* GetAccessor() const { return m_accessor; }

    // Appends a copy.
    void Add(const PmCategoryEx2& category);
    void Clear();
    std::size_t GetCount() const { return m_categories.size(); }
    PmCategoryEx2* GetAt(std::size_t index) const;
    // The first category with this ID, or null.
    PmCategoryEx2* FindByID(std::int32_t id) const;
    // The first category of exactly this name, or null.
    PmCategoryEx2* FindByName(const char* name) const;
    // Walk in table order.
    PmCategoryEx2* First();
    PmCategoryEx2* Next();

private:
    std::vector<std::unique_ptr<PmCategoryEx2>> m_categories;
    PmDataAccessor* m_accessor = nullptr;
    std::size_t m_cursor = 0;
};
