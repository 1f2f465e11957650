#pragma once
// A listener on the loopback interface for one browser redirect: a program
// that signs in through the user's browser names this address as where the
// browser returns, and reads the request the browser then sends.
#include <functional>
#include <string>

namespace platform::net {

class LoopbackListener {
public:
    enum class Result {
        Request,   // a request with a query arrived; `target` holds it
        TimedOut,  // none came within the time allowed
        Stopped,   // the stop check asked to stop
        Failed,    // the socket failed
    };

    LoopbackListener() = default;
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    // Listens on 127.0.0.1 on a port the system picks. False when no socket
    // can be opened.
    bool Open();
    // The port listened on; 0 before Open.
    int Port() const { return m_port; }

    // Waits for a request whose target carries a query ("/?code=..."),
    // answering it with `page` (HTML); other requests (a browser's icon)
    // get a 404. `stop` is asked at least every 200 ms.
    Result WaitForRequest(std::string& target, const std::string& page, int timeoutMs,
                          const std::function<bool()>& stop);

private:
    int m_fd = -1;
    int m_port = 0;
};

}  // namespace platform::net
