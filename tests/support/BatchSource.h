#pragma once
// A source in batch mode, run in this process with the test helper standing
// in for the source's helper programs: it hands over the data files
// prepared in `source` and echoes the parameters it was given. The Outlook
// store is read back with python3-icalendar and python3-vobject.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/BatchMode.h"
#include "common/misc/CxDebugUtil.h"
#include "platform/paths/Paths.h"
#include "tests/support/BatchRun.h"
#include "tests/support/TempDir.h"

namespace fwtest {

struct BatchSource : ::testing::Test {
    TempDir dir;
    std::string source = dir.Path() + "source";
    std::string storeRoot = dir.Path() + "store";
    std::string echo = dir.Path() + "echo.txt";
    ScopedEnv data{"XDG_DATA_HOME", dir.Path() + "share"};
    ScopedEnv wine{"WINEPREFIX", dir.Path() + "wine"};
    ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    ScopedEnv store{"FRWY_OUTLOOK_STORE", storeRoot};
    ScopedEnv copyFrom{"FWTH_SOURCE", source};
    ScopedEnv echoTo{"FWTH_ECHO", echo};

    BatchSource() { platform::EnsureFolderTree(source); }
    ~BatchSource() override { CxDebugUtil::Instance().SetFolder("./"); }

    // The prompt's answer (none when empty); asking is recorded.
    std::string typed;
    bool answerEmpty = false;  // answer the prompt with an empty text
    std::vector<std::string> prompts;

    BatchRun Run(std::vector<std::string> args) {
        BatchOptions o;
        std::string error;
        BatchRun run;
        if (!ParseBatchOptions(args, o, error)) {
            run.output = error;
            return run;
        }
        o.askPassword = [this](const std::string& prompt, std::string& answer) {
            prompts.push_back(prompt);
            answer = typed;
            return answerEmpty || !typed.empty();
        };
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
        run.status = RunBatch(o, out.get());
        std::rewind(out.get());
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, out.get())) > 0) run.output.append(buf, n);
        return run;
    }
    // A parameter of the last helper run, or "<none>".
    std::string Param(int id) const {
        const std::string text = ReadFile(echo);
        const std::string key = "param." + std::to_string(id) + "=";
        const std::size_t at = text.find(key);
        if (at == std::string::npos) return "<none>";
        return text.substr(at + key.size(), text.find('\n', at) - at - key.size());
    }
    // What a Python script prints about the store (its folder is argv[1]).
    std::string Python(const std::string& script) const {
        const std::string file = dir.Path() + "read.py";
        WriteFile(file, script);
        return RunCommand("/usr/bin/python3 " + Quote(file) + " " + Quote(storeRoot) + " 2>&1").output;
    }
};

}  // namespace fwtest
