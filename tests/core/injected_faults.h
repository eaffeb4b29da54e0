#pragma once

// Real file-system failures for tests, made without help from the code under test: a tmpfs
// mounted over a folder (then made read-only or filled up), a file-size limit that makes a
// write stop half-way, and a temporary file name that leads to /dev/full. Mounting needs the
// right to mount (root in a container that allows it); the others work for any user, root
// included, for whom permissions alone would not stop a write.

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

namespace ferrolux::testing_support {

// A tmpfs mounted over an existing folder for the life of the object.
class TmpfsMount
{
public:
    TmpfsMount(std::string folder, const std::string &options) : m_folder(std::move(folder))
    {
        m_mounted = mount("tmpfs", m_folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~TmpfsMount()
    {
        if (m_mounted) {
            umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool mounted() const { return m_mounted; }
    bool makeReadOnly() const
    {
        return m_mounted &&
               mount("tmpfs", m_folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // Writes a filler file until the file system has no room left.
    void fillUp() const
    {
        std::ofstream filler(m_folder + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
            filler.flush();
        }
    }

private:
    std::string m_folder;
    bool m_mounted = false;
};

// Limits the size of every file this process writes while the object lives. A write past the
// limit fails with EFBIG; SIGXFSZ, which would end the process, is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

// Makes `path` lead to /dev/full, a device that takes no byte: opening it for writing works,
// writing fails with "No space left on device".
inline void pointAtFullDevice(const std::string &path)
{
    std::filesystem::create_symlink("/dev/full", path);
}

} // namespace ferrolux::testing_support
