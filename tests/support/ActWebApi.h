#pragma once
// The stand-in of the Act! Web API (tests/helpers/act_webapi.py) on a free
// loopback port, seeded with a JSON text (its format is described in the
// script), and ended with the object.
#include <string>

#include "tests/support/ServerProcess.h"
#include "tests/support/TempDir.h"

namespace fwtest {

class ActWebApi {
public:
    explicit ActWebApi(const std::string& seedJson);
    bool Ok() const { return m_port != 0; }
    // The API's base address: "http://127.0.0.1:PORT/act.web.api".
    std::string BaseUrl() const;
    int Port() const { return m_port; }
    // One line per request: "GET /act.web.api/api/contacts 200".
    std::string Log() const { return ReadFile(m_folder.File("log")); }

private:
    TempDir m_folder;
    ServerProcess m_process;
    int m_port = 0;
};

}  // namespace fwtest
