#include "tests/support/RadicaleServer.h"

#include <filesystem>

namespace fwtest {

RadicaleServer::RadicaleServer(const std::string& user, const std::string& password) {
    WriteFile(m_folder.File("users"), user + ":" + password + "\n");
    WriteFile(m_folder.File("config"), "");
    std::filesystem::create_directories(m_folder.File("collections"));
    // The port is free when picked; another program may take it before
    // Radicale does, so a failed start tries another.
    for (int attempt = 0; attempt < 3 && !m_ok; ++attempt) {
        m_port = FreeLoopbackPort();
        const std::vector<std::string> argv = {"/usr/bin/python3",
                                               "-m",
                                               "radicale",
                                               "--config",
                                               m_folder.File("config"),
                                               "--server-hosts",
                                               "127.0.0.1:" + std::to_string(m_port),
                                               "--storage-filesystem-folder",
                                               m_folder.File("collections"),
                                               "--auth-type",
                                               "htpasswd",
                                               "--auth-htpasswd-filename",
                                               m_folder.File("users"),
                                               "--auth-htpasswd-encryption",
                                               "plain",
                                               "--auth-delay",
                                               "0",
                                               "--rights-type",
                                               "owner_only",
                                               "--logging-level",
                                               "warning"};
        m_ok = m_process.Start(argv, m_folder.File("radicale.log")) && WaitForPort(m_port, 15000, m_process);
        if (!m_ok) m_process.Stop();
    }
    m_url = "http://127.0.0.1:" + std::to_string(m_port) + "/";
}

}  // namespace fwtest
