#pragma once
// The record detail windows of every source and kind. Each member only
// names the describer of its source and kind; the window (TfmRecordDetail)
// draws what that describer makes of the record.
#include <memory>

#include "app/wizard/TfmRecordDetail.h"

#define FW_DETAIL_WINDOW(Name)                    \
    class Name : public TfmRecordDetail {         \
    public:                                       \
        explicit Name(QWidget* parent = nullptr); \
    };

// Palm Desktop.
FW_DETAIL_WINDOW(TfmPDAddrDetail)
FW_DETAIL_WINDOW(TfmPDDateDetail)
FW_DETAIL_WINDOW(TfmPDTaskDetail)
FW_DETAIL_WINDOW(TfmPDNoteDetail)
// Google.
FW_DETAIL_WINDOW(TfmGGAddrDetail)
FW_DETAIL_WINDOW(TfmGGDateDetail)
// ACT!
FW_DETAIL_WINDOW(TfmACTAddrDetail)
FW_DETAIL_WINDOW(TfmACTDateDetail)
FW_DETAIL_WINDOW(TfmACTTaskDetail)
FW_DETAIL_WINDOW(TfmACTNoteDetail)
// Lotus Notes.
FW_DETAIL_WINDOW(TfmLNAddrDetail)
FW_DETAIL_WINDOW(TfmLNDateDetail)
FW_DETAIL_WINDOW(TfmLNTaskDetail)
FW_DETAIL_WINDOW(TfmLNNoteDetail)

#undef FW_DETAIL_WINDOW

// The detail window of a source application's kind (CommRecordKind); null
// when the source has none for that kind (Outlook, Google tasks and notes).
std::unique_ptr<TfmRecordDetail> CreateDetailWindow(int sourceApp, int kind, QWidget* parent = nullptr);
