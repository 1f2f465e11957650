#pragma once
// The four layouts of the record detail windows, empty, with the object
// names their describers fill:
//
// contact   header edtDisplayName "Name:", edtCompany "Company:", edtTitle
//           "Job Title:"; tabs tPhones (list lvPhone), tAddresses with the
//           sub-tabs tWork, tHome, tOther (memStreet<Sub>, edtCity<Sub>,
//           edtState<Sub>, edtPostal<Sub>, edtCountry<Sub>, where <Sub> is
//           Work, Home or Other), tMisc (list lvMisc), tNotes (memo memNotes),
//           tCustom (list lvCustom)
// calendar  tGeneral (edtDescription, edtDate, edtStartTime, edtEndTime,
//           edtLocation, edtCategory; cbAlarm, cbPrivate, cbAllDay),
//           tRecurrence (the view's repeat rule), tMisc (lvMisc), tNotes
// task      tGeneral (edtDescription, edtPriority, edtDueDate, edtCategory;
//           cbCompleted, cbPrivate), tMisc (lvMisc), tNotes
// note      tMisc (lvMisc), tNotes
#include <string>

#include "app/wizard/DetailView.h"

namespace detail {

DetailView ContactLayout(std::string title, std::string heading);
DetailView CalendarLayout(std::string title, std::string heading);
DetailView TaskLayout(std::string title, std::string heading);
DetailView NoteLayout(std::string title, std::string heading);

// A tab with one two-column list, for windows that add their own.
DetailTab ListTab(std::string name, std::string caption, std::string list, std::string firstHeader,
                  std::string secondHeader);

}  // namespace detail
