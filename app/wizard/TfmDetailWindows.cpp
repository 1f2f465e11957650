#include "app/wizard/TfmDetailWindows.h"

#include "app/AppIds.h"
#include "app/wizard/DetailSources.h"
#include "common/records/CommKinds.h"

#define FW_DETAIL_WINDOW(Name, describer) \
    Name::Name(QWidget* parent) : TfmRecordDetail(&detail::describer, parent) { setObjectName(QStringLiteral(#Name)); }

FW_DETAIL_WINDOW(TfmPDAddrDetail, DescribePDAddr)
FW_DETAIL_WINDOW(TfmPDDateDetail, DescribePDDate)
FW_DETAIL_WINDOW(TfmPDTaskDetail, DescribePDTask)
FW_DETAIL_WINDOW(TfmPDNoteDetail, DescribePDNote)
FW_DETAIL_WINDOW(TfmGGAddrDetail, DescribeGGAddr)
FW_DETAIL_WINDOW(TfmGGDateDetail, DescribeGGDate)
FW_DETAIL_WINDOW(TfmACTAddrDetail, DescribeACTAddr)
FW_DETAIL_WINDOW(TfmACTDateDetail, DescribeACTDate)
FW_DETAIL_WINDOW(TfmACTTaskDetail, DescribeACTTask)
FW_DETAIL_WINDOW(TfmACTNoteDetail, DescribeACTNote)
FW_DETAIL_WINDOW(TfmLNAddrDetail, DescribeLNAddr)
FW_DETAIL_WINDOW(TfmLNDateDetail, DescribeLNDate)
FW_DETAIL_WINDOW(TfmLNTaskDetail, DescribeLNTask)
FW_DETAIL_WINDOW(TfmLNNoteDetail, DescribeLNNote)

#undef FW_DETAIL_WINDOW

namespace {

template <class Window>
std::unique_ptr<TfmRecordDetail> Make(QWidget* parent) {
    return std::make_unique<Window>(parent);
}

using Maker = std::unique_ptr<TfmRecordDetail> (*)(QWidget*);

struct SourceWindows {
    int app;
    Maker kinds[CommKindCount];  // contacts, calendar, tasks, notes
};

constexpr SourceWindows kWindows[] = {
    {kAppPalm, {&Make<TfmPDAddrDetail>, &Make<TfmPDDateDetail>, &Make<TfmPDTaskDetail>, &Make<TfmPDNoteDetail>}},
    {kAppGoogle, {&Make<TfmGGAddrDetail>, &Make<TfmGGDateDetail>, nullptr, nullptr}},
    {kAppACT, {&Make<TfmACTAddrDetail>, &Make<TfmACTDateDetail>, &Make<TfmACTTaskDetail>, &Make<TfmACTNoteDetail>}},
    {kAppLotus, {&Make<TfmLNAddrDetail>, &Make<TfmLNDateDetail>, &Make<TfmLNTaskDetail>, &Make<TfmLNNoteDetail>}},
};

}  // namespace

std::unique_ptr<TfmRecordDetail> CreateDetailWindow(int sourceApp, int kind, QWidget* parent) {
    if (kind < 0 || kind >= CommKindCount) return nullptr;
    for (const SourceWindows& source : kWindows)
        if (source.app == sourceApp && source.kinds[kind] != nullptr) return source.kinds[kind](parent);
    return nullptr;
}
