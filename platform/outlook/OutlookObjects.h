#pragma once
// The automation objects of the Outlook stand-in.
#include <memory>
#include <string>

#include "platform/automation/ComRef.h"
#include "platform/automation/DispatchObject.h"
#include "platform/outlook/Store.h"

namespace platform::outlook {

class OutlookApplication : public DispatchObject, public IRunnableObject {
public:
    explicit OutlookApplication(std::string root) : m_root(std::move(root)) {}
    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return DispatchObject::AddRef(); }
    ULONG Release() override { return DispatchObject::Release(); }
    HRESULT Run() override;

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    std::string m_root;
    std::shared_ptr<Store> m_store;
};

class OutlookNameSpace : public DispatchObject {
public:
    explicit OutlookNameSpace(std::shared_ptr<Store> store) : m_store(std::move(store)) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    std::shared_ptr<Store> m_store;
};

class OutlookFolder : public DispatchObject {
public:
    OutlookFolder(std::shared_ptr<Store> store, ItemKind kind) : m_store(std::move(store)), m_kind(kind) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    std::shared_ptr<Store> m_store;
    ItemKind m_kind;
};

class OutlookItems : public DispatchObject {
public:
    OutlookItems(std::shared_ptr<Store> store, ItemKind kind) : m_store(std::move(store)), m_kind(kind) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    HRESULT ItemAt(std::size_t position, VARIANT* result);
    std::shared_ptr<Store> m_store;
    ItemKind m_kind;
    std::size_t m_cursor = 0;
};

// One item. Reads see the stored values; the first change makes a working
// copy, which "Save" writes to the store.
class OutlookItem : public DispatchObject {
public:
    OutlookItem(std::shared_ptr<Store> store, ItemKind kind, std::shared_ptr<ItemData> stored);
    // The values reads see: the working copy's, else the stored ones (read
    // back from the file first when the item was just saved).
    const ItemData& View() const;
    ItemData& Working();
    ItemKind Kind() const { return Held().kind; }
    void Touch() { m_dirty = true; }

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    // The values as held, the stored ones perhaps not yet read back: for
    // what reading back keeps (the kind and the EntryID).
    const ItemData& Held() const { return m_copy ? *m_copy : *m_stored; }
    HRESULT GetProp(int index, VARIANT* result);
    HRESULT PutProp(int index, const VARIANT& value);
    HRESULT Save();
    void StartPattern();

    std::shared_ptr<Store> m_store;
    std::shared_ptr<ItemData> m_stored;  // null until first saved
    // The changed values, copied from the stored ones read back; always
    // there while not saved.
    std::unique_ptr<ItemData> m_copy;
    bool m_dirty = false;
};

class OutlookUserProperties : public DispatchObject {
public:
    explicit OutlookUserProperties(ComRef<OutlookItem> item) : m_item(std::move(item)) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    HRESULT Property(std::size_t index, VARIANT* result);
    ComRef<OutlookItem> m_item;
};

class OutlookUserProperty : public DispatchObject {
public:
    OutlookUserProperty(ComRef<OutlookItem> item, std::string name)
        : m_item(std::move(item)), m_name(std::move(name)) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    const UserProperty* Find() const;
    ComRef<OutlookItem> m_item;
    std::string m_name;
};

class OutlookRecurrencePattern : public DispatchObject {
public:
    explicit OutlookRecurrencePattern(ComRef<OutlookItem> item) : m_item(std::move(item)) {}

protected:
    DISPID FindMember(std::u16string_view folded) const override;
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override;

private:
    ComRef<OutlookItem> m_item;
};

}  // namespace platform::outlook
