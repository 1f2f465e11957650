#pragma once
// The process-wide adapter table: one adapter per application and record
// kind, made on the first load of its kind and kept until the program ends,
// and the four lists of records picked for migration.
//
// Slots: 0-3 Palm Desktop, 4-7 ACT!, 8-11 Google, 12-15 Lotus Notes, 16-19
// reserved, 20-23 Outlook, 24-27 Dynamics CRM, 28-31 salesforce, 32-35
// SugarCRM, each in the kind order contacts, calendar, tasks, notes; 36-39
// the picked-record lists (SelectedRecords) of the four kinds.
//
// Adapters come from factories that each adapter family registers for its
// application and kinds (WireAdapters, AppWiring.cpp).
#include <array>
#include <memory>

#include "app/AppAdapter.h"
#include "common/misc/CxList.h"
#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommKinds.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"

inline constexpr int kAdapterTableSlots = 40;
inline constexpr int kAdapterSlots = 36;
inline constexpr int kSelectedRecordsSlot = 36;

using AdapterFactory = std::unique_ptr<AppAdapter> (*)();

class AdapterTable {
public:
    // The slot of an application's kind, or -1 when it has none.
    static int SlotOf(int appId, int kind);

    // The adapter of a slot, or null while it is empty.
    AppAdapter* Get(int appId, int kind);
    AppAdapter* GetSlot(int slot);
    // The adapter, made by its factory when the slot is empty (`created`
    // tells which); null when the application has no such adapter.
    AppAdapter* GetOrCreate(int appId, int kind, bool* created = nullptr);
    // Puts an adapter into its slot, replacing (destroying) one there.
    void Put(int appId, int kind, std::unique_ptr<AppAdapter> adapter);
    // Destroys every adapter, in slot order.
    void DestroyAll();

    // The picked-record lists; null until CreateSelectedLists.
    CxList<CommAddrRec>* SelectedAddr() { return m_selectedAddr.get(); }
    CxList<CommDateRec>* SelectedDate() { return m_selectedDate.get(); }
    CxList<CommTaskRec>* SelectedTask() { return m_selectedTask.get(); }
    CxList<CommNoteRec>* SelectedNote() { return m_selectedNote.get(); }
    void CreateSelectedLists();
    // Destroys the lists; the records they point at stay with their adapters.
    void DestroySelectedLists();

private:
    std::array<std::unique_ptr<AppAdapter>, kAdapterSlots> m_adapters;
    std::unique_ptr<CxList<CommAddrRec>> m_selectedAddr;
    std::unique_ptr<CxList<CommDateRec>> m_selectedDate;
    std::unique_ptr<CxList<CommTaskRec>> m_selectedTask;
    std::unique_ptr<CxList<CommNoteRec>> m_selectedNote;
};

// The table of the process.
AdapterTable& GetAdapterTable();

// The factory of an application's kind (replacing an earlier one; null
// removes it), and the one registered.
void RegisterAdapterFactory(int appId, int kind, AdapterFactory factory);
AdapterFactory GetAdapterFactory(int appId, int kind);
// Registers the factories of every adapter built into the program.
void WireAdapters();

// The object inside an application's adapter of a kind, when there is one
// of type T.
template <class T>
T* FindAdapterObject(int appId, int kind) {
    auto* holder = dynamic_cast<AppAdapterOf<T>*>(GetAdapterTable().Get(appId, kind));
    return holder ? &holder->Object() : nullptr;
}
