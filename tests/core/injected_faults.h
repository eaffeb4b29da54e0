#pragma once

// Real write failures for tests, made without help from the code under test: a file size limit
// of the process, and a tmpfs mounted over the program folder, then made read-only or filled
// up. The mounts need the right to mount (root in a container that allows it); the size limit
// works for any user, root included, whom permissions alone would not stop.

#include "scratch_folder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

namespace ferrolux::testing_support {

// One way of making writes fail, with the system's words for the failure.
struct WriteFault
{
    enum Kind { SizeLimit, ReadOnlyMount, FullMount } kind;
    const char *name;
    const char *cause;
};
inline constexpr WriteFault kWriteFaults[] = {
    {WriteFault::SizeLimit, "file size limit", "File too large"},
    {WriteFault::ReadOnlyMount, "read-only mount", "Read-only file system"},
    {WriteFault::FullMount, "full tmpfs", "No space left on device"}};

inline void PrintTo(const WriteFault &fault, std::ostream *out)
{
    *out << fault.name;
}

// Writes that would make a file longer than 4 bytes fail (EFBIG, the signal that would come
// with it ignored) from arm() on; the old limit comes back at the end.
class FileSizeLimit
{
public:
    FileSizeLimit() = default;
    ~FileSizeLimit()
    {
        if (m_armed) {
            setrlimit(RLIMIT_FSIZE, &m_old);
        }
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set.
    bool arm()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        if (getrlimit(RLIMIT_FSIZE, &m_old) != 0) {
            return false;
        }
        const rlimit tiny{4, m_old.rlim_max};
        m_armed = setrlimit(RLIMIT_FSIZE, &tiny) == 0;
        return m_armed;
    }

private:
    rlimit m_old{};
    bool m_armed = false;
};

// A program folder (a subfolder of a scratch folder, so that a tmpfs can cover it) on which
// writes fail in one way from arm() on, until the end of the object.
class FaultyFolder
{
public:
    explicit FaultyFolder(const WriteFault &fault)
        : m_kind(fault.kind), m_folder(m_scratch.path("program/"))
    {
        std::filesystem::create_directory(m_folder);
        m_mounted = m_kind != WriteFault::SizeLimit &&
                    mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    }
    ~FaultyFolder()
    {
        if (m_mounted) {
            umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    FaultyFolder(const FaultyFolder &) = delete;
    FaultyFolder &operator=(const FaultyFolder &) = delete;

    // False when the fault needs a mount that is not permitted here.
    bool usable() const { return m_mounted || m_kind == WriteFault::SizeLimit; }
    // Ends in a separator, as the program names its folder.
    const std::string &folder() const { return m_folder; }

    // Turns the fault on; false when that did not work.
    bool arm()
    {
        if (m_kind == WriteFault::SizeLimit) {
            return m_limit.arm();
        }
        if (m_kind == WriteFault::ReadOnlyMount) {
            return mount("tmpfs", m_folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
        }
        std::ofstream filler(m_folder + "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
            filler.flush();
        }
        return true;
    }

private:
    WriteFault::Kind m_kind;
    ScratchFolder m_scratch;
    std::string m_folder;
    bool m_mounted = false;
    FileSizeLimit m_limit;
};

} // namespace ferrolux::testing_support
