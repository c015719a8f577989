#pragma once

#include <unistd.h>

// Runs the enclosed code as an ordinary user when the tests run as root, so
// that file permissions are enforced. Does nothing for other users.
class AsOrdinaryUser
{
public:
    AsOrdinaryUser()
    {
        if (::geteuid() == 0)
            m_switched = ::seteuid(65534) == 0;
        else
            m_ok = true;
        if (m_switched)
            m_ok = true;
    }
    ~AsOrdinaryUser() { leave(); }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

    bool ok() const { return m_ok; }
    void leave()
    {
        if (m_switched && ::seteuid(0) == 0)
            m_switched = false;
    }

private:
    bool m_switched = false;
    bool m_ok = false;
};
