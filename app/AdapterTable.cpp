#include "app/AdapterTable.h"

#include "app/AppIds.h"

namespace {

// The first slot of each application, by AppId; -1 for none.
constexpr int kFirstSlot[] = {-1, 4, 8, 20, 12, 0, 24, 28, 32};
constexpr int kAppCount = static_cast<int>(sizeof kFirstSlot / sizeof kFirstSlot[0]);

std::array<std::array<AdapterFactory, CommKindCount>, kAppCount>& Factories() {
    static std::array<std::array<AdapterFactory, CommKindCount>, kAppCount> factories{};
    return factories;
}

}  // namespace

int AdapterTable::SlotOf(int appId, int kind) {
    if (appId < 0 || appId >= kAppCount || kind < 0 || kind >= CommKindCount || kFirstSlot[appId] < 0) return -1;
    return kFirstSlot[appId] + kind;
}

AppAdapter* AdapterTable::Get(int appId, int kind) {
    const int slot = SlotOf(appId, kind);
    return slot < 0 ? nullptr : m_adapters[static_cast<std::size_t>(slot)].get();
}

AppAdapter* AdapterTable::GetSlot(int slot) {
    return (slot >= 0 && slot < kAdapterSlots) ? m_adapters[static_cast<std::size_t>(slot)].get() : nullptr;
}

AppAdapter* AdapterTable::GetOrCreate(int appId, int kind, bool* created) {
    if (created) *created = false;
    const int slot = SlotOf(appId, kind);
    if (slot < 0) return nullptr;
    std::unique_ptr<AppAdapter>& adapter = m_adapters[static_cast<std::size_t>(slot)];
    if (!adapter) {
        const AdapterFactory factory = GetAdapterFactory(appId, kind);
        if (factory == nullptr) return nullptr;
        adapter = factory();
        if (created) *created = adapter != nullptr;
    }
    return adapter.get();
}

void AdapterTable::Put(int appId, int kind, std::unique_ptr<AppAdapter> adapter) {
    const int slot = SlotOf(appId, kind);
    if (slot >= 0) m_adapters[static_cast<std::size_t>(slot)] = std::move(adapter);
}

void AdapterTable::DestroyAll() {
    for (auto& adapter : m_adapters) adapter.reset();
}

void AdapterTable::CreateSelectedLists() {
    m_selectedAddr = std::make_unique<CxList<CommAddrRec>>();
    m_selectedDate = std::make_unique<CxList<CommDateRec>>();
    m_selectedTask = std::make_unique<CxList<CommTaskRec>>();
    m_selectedNote = std::make_unique<CxList<CommNoteRec>>();
}

void AdapterTable::DestroySelectedLists() {
    m_selectedAddr.reset();
    m_selectedDate.reset();
    m_selectedTask.reset();
    m_selectedNote.reset();
}

AdapterTable& GetAdapterTable() {
    static AdapterTable table;
    return table;
}

void RegisterAdapterFactory(int appId, int kind, AdapterFactory factory) {
    if (appId < 0 || appId >= kAppCount || kind < 0 || kind >= CommKindCount) return;
    Factories()[static_cast<std::size_t>(appId)][static_cast<std::size_t>(kind)] = factory;
}

AdapterFactory GetAdapterFactory(int appId, int kind) {
    if (appId < 0 || appId >= kAppCount || kind < 0 || kind >= CommKindCount) return nullptr;
    return Factories()[static_cast<std::size_t>(appId)][static_cast<std::size_t>(kind)];
}
