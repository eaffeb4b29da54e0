#pragma once

// Acting as another user for file access only (the file-system user id), so that a test run by
// root can meet permissions the way an ordinary user does. Linux only; needs root.

#include <sys/fsuid.h>
#include <unistd.h>

namespace ferrolux::testing_support {

inline constexpr unsigned kNobody = 65534;

class AsOtherUser
{
public:
    AsOtherUser() : m_previous(static_cast<uid_t>(setfsuid(kNobody)))
    {
        m_active = static_cast<unsigned>(setfsuid(static_cast<uid_t>(-1))) == kNobody;
    }
    ~AsOtherUser() { setfsuid(m_previous); }
    AsOtherUser(const AsOtherUser &) = delete;
    AsOtherUser &operator=(const AsOtherUser &) = delete;
    // False where the switch is not permitted (not root); the test should then skip.
    bool active() const { return m_active && geteuid() == 0; }

private:
    uid_t m_previous;
    bool m_active = false;
};

} // namespace ferrolux::testing_support
