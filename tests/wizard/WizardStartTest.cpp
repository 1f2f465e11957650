// "ferrywise" as a program: without a display it says how to migrate
// without windows instead of opening the wizard.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace {

// Runs ferrywise with only the given environment; its status and output.
fwtest::BatchRun RunBare(const std::string& environment, const std::string& args) {
    return fwtest::RunCommand("env -i PATH=/usr/bin:/bin " + environment + " " +
                              fwtest::Quote(fwtest::FerrywisePath()) + " " + args + " 2>&1");
}

TEST(WizardStart, WithoutADisplayItPointsAtTheBatchMode) {
    fwtest::TempDir dir;
    const std::string home = "HOME=" + fwtest::Quote(dir.Path()) + " XDG_DATA_HOME=" + fwtest::Quote(dir.Path() + "d");
    struct Case {
        std::string environment;
        std::string args;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"", "", 1, "no display found"},
        {"DISPLAY= WAYLAND_DISPLAY=", "", 1, "no display found"},
        {"", "--store " + fwtest::Quote(dir.Path() + "store"), 1, "ferrywise --batch --help"},
        {"", "--store", 2, "option --store needs a folder"},
        {"", "--store ''", 2, "option --store needs a folder"},
        {"", "--version", 0, "Ferrywise for Outlook"},
        {"", "--help", 0, "ferrywise [--store DIR]"},
        {"", "--batch --help", 0, "Usage: ferrywise --batch"},
        {"", "--frobnicate", 2, "unknown option '--frobnicate'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment + " " + c.args);
        const fwtest::BatchRun run = RunBare(home + " " + c.environment, c.args);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    }
    // Nothing was started: no settings were written.
    EXPECT_FALSE(platform::PathExists(dir.Path() + "d/norrbek/FRWY/FRWY.ini"));
}

}  // namespace
