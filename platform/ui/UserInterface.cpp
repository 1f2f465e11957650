#include "platform/ui/UserInterface.h"

#include <atomic>

#include "platform/ui/ConsoleUserInterface.h"

namespace platform {

namespace {

std::atomic<UserInterface*> g_current{nullptr};

}  // namespace

UserInterface& CurrentUserInterface() {
    static ConsoleUserInterface console;
    UserInterface* ui = g_current.load();
    return ui ? *ui : console;
}

void SetUserInterface(UserInterface* ui) { g_current.store(ui); }

ScopedUserInterface::ScopedUserInterface(UserInterface* ui) : m_previous(g_current.exchange(ui)) {}

ScopedUserInterface::~ScopedUserInterface() { g_current.store(m_previous); }

}  // namespace platform
