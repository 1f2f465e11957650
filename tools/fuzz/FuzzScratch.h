#pragma once
// A scratch folder for the files a fuzz target writes, made once per run
// (in memory when /dev/shm can be written), holding the debug log too, and
// removed with everything in it when the run ends.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/misc/CxDebugUtil.h"

namespace fwfuzz {

class Scratch {
public:
    Scratch() {
        std::string tmpl = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/fwfuzz-XXXXXX");
        if (::mkdtemp(tmpl.data()) == nullptr) __builtin_trap();
        m_folder = tmpl + "/";
        CxDebugUtil::Instance().SetFolder(m_folder.c_str());
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
};

// The folder of this run.
inline const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.Folder();
}

}  // namespace fwfuzz
