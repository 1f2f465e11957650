#pragma once
// The record detail window: shows what a source application holds for one
// record, read-only, in tabs. The window draws a DetailView; what it shows
// comes from the describer its family member names. It borrows the adapter
// that loaded the record and the record's native record, and owns nothing
// but its widgets.
#include <QDialog>

#include "app/AppAdapter.h"
#include "app/wizard/DetailView.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

class TfmRecordDetail : public QDialog {
    Q_OBJECT
public:
    // Makes the view of a native record, with the adapter that loaded it.
    using Describer = detail::DetailView (*)(const void* native, AppAdapter& adapter);

    // Stores the adapter (borrowed; null unbinds).
    void Bind(AppAdapter* adapter) { m_adapter = adapter; }
    // Stores the native record of the common record (an owned copy through
    // the bound adapter's list), then fills the window.
    bool ShowRecord(const CommRecordRef& record);
    // Fills every control from the native record and selects the first tab;
    // false, with the controls left empty, without a native record or an
    // adapter.
    bool Fill();

    const void* NativeRecord() const { return m_native; }

protected:
    TfmRecordDetail(Describer describe, QWidget* parent);

private:
    void Clear();
    void Draw(const detail::DetailView& view);

    Describer m_describe;
    AppAdapter* m_adapter = nullptr;
    const void* m_native = nullptr;
    QLabel* m_heading = nullptr;
    QVBoxLayout* m_body = nullptr;
    QWidget* m_content = nullptr;  // the header edits and the tabs of the last fill
    QPushButton* m_close = nullptr;
};
