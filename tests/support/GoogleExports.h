#pragma once
// Google exports as other programs write them (python3-vobject,
// python3-icalendar, Python's csv, zipfile and tarfile modules; see
// tests/helpers/google_export.py), written once per test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace fwtest {

// The folder of the exports, ending with a slash: takeout.zip, takeout.tgz,
// parts/ (a two-part archive), folder/ (unpacked), contacts.vcf,
// calendar.ics, old.csv and new.csv (both CSV generations), and more.
inline const std::string& GoogleExportFolder() {
    struct Exports {
        TempDir dir;
        Exports() {
            const char* source = std::getenv("FW_SOURCE_DIR");
            const std::string script = std::string(source ? source : ".") + "/tests/helpers/google_export.py";
            const BatchRun run = RunCommand("/usr/bin/python3 " + Quote(script) + " " + Quote(dir.Path()) + " 2>&1");
            EXPECT_EQ(run.status, 0) << "python3-vobject and python3-icalendar must be installed\n" << run.output;
        }
    };
    static Exports exports;
    return exports.dir.Path();
}

}  // namespace fwtest
