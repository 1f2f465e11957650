#pragma once
// Exports as other programs write them, made by a Python script of
// tests/helpers (python3-vobject, python3-icalendar, Python's csv, zipfile
// and tarfile modules) into a folder of their own, once per test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace fwtest {

// The folder, ending with a slash, that tests/helpers/<script> wrote.
inline const std::string& ExportsWrittenBy(const std::string& script) {
    static std::map<std::string, std::unique_ptr<TempDir>> folders;
    std::unique_ptr<TempDir>& dir = folders[script];
    if (!dir) {
        dir = std::make_unique<TempDir>();
        const char* source = std::getenv("FW_SOURCE_DIR");
        const std::string path = std::string(source ? source : ".") + "/tests/helpers/" + script;
        const BatchRun run = RunCommand("/usr/bin/python3 " + Quote(path) + " " + Quote(dir->Path()) + " 2>&1");
        EXPECT_EQ(run.status, 0) << "python3-vobject and python3-icalendar must be installed\n" << run.output;
    }
    return dir->Path();
}

}  // namespace fwtest
