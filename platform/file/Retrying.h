#pragma once
// For the system calls of this folder: a call that a signal interrupts
// (fails with EINTR) is made again.
#include <cerrno>

namespace platform::file {

// Calls `call` again while it fails with EINTR; its result.
template <class Call>
int Retrying(Call call) {
    int rc;
    do {
        rc = call();
    } while (rc < 0 && errno == EINTR);
    return rc;
}

}  // namespace platform::file
