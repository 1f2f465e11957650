#include "tests/support/ActWebApi.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace fwtest {

ActWebApi::ActWebApi(const std::string& seedJson) {
    const char* source = std::getenv("FW_SOURCE_DIR");
    const std::string script = std::string(source ? source : ".") + "/tests/helpers/act_webapi.py";
    WriteFile(m_folder.File("seed.json"), seedJson);
    m_process.Start({"/usr/bin/python3", script, m_folder.File("seed.json"), m_folder.File("port")},
                    m_folder.File("log"));
    for (int i = 0; i < 600 && m_port == 0 && m_process.Running(); ++i) {
        const std::string port = ReadFile(m_folder.File("port"));
        if (!port.empty())
            m_port = std::stoi(port);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string ActWebApi::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/act.web.api"; }

}  // namespace fwtest
