#pragma once
// A real CardDAV/CalDAV server for tests: Radicale on a free loopback port,
// with its own storage folder and one user in a plain htpasswd file.
#include <string>

#include "tests/support/ServerProcess.h"
#include "tests/support/TempDir.h"

namespace fwtest {

class RadicaleServer {
public:
    RadicaleServer(const std::string& user, const std::string& password);
    // False when Radicale did not come up; Log() says why.
    bool Ok() const { return m_ok; }
    // "http://127.0.0.1:<port>/"
    const std::string& Url() const { return m_url; }
    int Port() const { return m_port; }
    std::string Log() const { return ReadFile(m_folder.File("radicale.log")); }

private:
    TempDir m_folder;
    ServerProcess m_process;
    std::string m_url;
    int m_port = 0;
    bool m_ok = false;
};

}  // namespace fwtest
