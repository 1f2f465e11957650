#pragma once
// The describers of the record detail windows: each makes the view of one
// source's window of one kind from the native record attached to a common
// record (its NativeRecord) and the adapter that loaded it. The native
// record's type is the one the adapter attaches; the adapter is used for
// what the record alone does not hold (field labels, custom labels).
#include "app/AppAdapter.h"
#include "app/wizard/DetailView.h"

namespace detail {

// Palm Desktop (the native record is a PmRecordEntry of the kind).
DetailView DescribePDAddr(const void* native, AppAdapter& adapter);
DetailView DescribePDDate(const void* native, AppAdapter& adapter);
DetailView DescribePDTask(const void* native, AppAdapter& adapter);
DetailView DescribePDNote(const void* native, AppAdapter& adapter);

// Google.
DetailView DescribeGGAddr(const void* native, AppAdapter& adapter);
DetailView DescribeGGDate(const void* native, AppAdapter& adapter);

// ACT!
DetailView DescribeACTAddr(const void* native, AppAdapter& adapter);
DetailView DescribeACTDate(const void* native, AppAdapter& adapter);
DetailView DescribeACTTask(const void* native, AppAdapter& adapter);
DetailView DescribeACTNote(const void* native, AppAdapter& adapter);

// Lotus Notes.
DetailView DescribeLNAddr(const void* native, AppAdapter& adapter);
DetailView DescribeLNDate(const void* native, AppAdapter& adapter);
DetailView DescribeLNTask(const void* native, AppAdapter& adapter);
DetailView DescribeLNNote(const void* native, AppAdapter& adapter);

}  // namespace detail
