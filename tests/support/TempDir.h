#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <string>

namespace fwtest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder, ending with a separator.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
// A named pipe at `path` that nobody writes; 0 on success.
int MakeFifo(const std::string& path);
// The permission bits of a file or folder (0777 mask), -1 when it is missing.
int FileMode(const std::string& path);

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();

private:
    std::string m_name;
    std::string m_old;
    bool m_had;
};

}  // namespace fwtest
