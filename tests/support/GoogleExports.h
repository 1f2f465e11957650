#pragma once
// Google exports as other programs write them (python3-vobject,
// python3-icalendar, Python's csv, zipfile and tarfile modules; see
// tests/helpers/google_export.py), written once per test program.
#include <string>

#include "tests/support/ScriptExports.h"

namespace fwtest {

// The folder of the exports, ending with a slash: takeout.zip, takeout.tgz,
// parts/ (a two-part archive), folder/ (unpacked), contacts.vcf,
// calendar.ics, old.csv and new.csv (both CSV generations), and more.
inline const std::string& GoogleExportFolder() { return ExportsWrittenBy("google_export.py"); }

}  // namespace fwtest
