// Where a save writes its bytes first: the final target of a path (refusing links planted in
// shared folders), an unnamed or briefly named new file beside it, and the removal of the new
// files that an interrupted earlier run left behind.

#include "save_staging.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux::file_detail {

namespace {

// When this run of the program started: a temporary last written before it cannot belong to a
// save of this run.
const timespec kRunStart = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

bool before(const timespec &a, const timespec &b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool isLetterOrDigit(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// "<prefix>" followed by exactly eight letters or digits, or an older version's "<name>.tmp-"
// and eight letters or digits beside the file <name> it was a temporary of.
bool isTemporaryName(int folderFd, const std::string &name)
{
    constexpr std::size_t kLetters = 8;
    const std::string_view tmp = ".tmp-";
    if (name.size() <= tmp.size() + kLetters) {
        return false;
    }
    const std::size_t tail = name.size() - kLetters;
    for (std::size_t i = tail; i < name.size(); ++i) {
        if (!isLetterOrDigit(name[i])) {
            return false;
        }
    }
    if (name.compare(tail - tmp.size(), tmp.size(), tmp) != 0) {
        return false;
    }
    const std::string base = name.substr(0, tail - tmp.size());
    if (base + std::string(tmp) == kTemporaryPrefix) {
        return true; // this version's own
    }
    struct stat target
    {
    };
    return !base.empty() && ::fstatat(folderFd, base.c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0;
}

// A link in a sticky folder that everyone may write to, owned by neither the follower nor the
// folder's owner: the kernel's protected_symlinks rule refuses to follow such a link.
bool isPlantedLink(const std::string &link, const struct stat &linkInfo)
{
    struct stat folder
    {
    };
    if (::stat(folderOf(link).c_str(), &folder) != 0) {
        return false;
    }
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != folder.st_uid;
}

std::string randomLetters()
{
    thread_local std::mt19937_64 generator{std::random_device{}() ^
                                           static_cast<std::uint64_t>(::getpid())};
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string letters;
    for (int k = 0; k < 8; ++k) {
        letters += kLetters[generator() % (sizeof kLetters - 1)];
    }
    return letters;
}

} // namespace

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool finalTarget(const std::string &path, std::string &target, int &error, bool &plantedLink)
{
    target = path;
    plantedLink = false;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info
        {
        };
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true; // missing or not a link: this is the entry
        }
        if (isPlantedLink(target, info)) {
            plantedLink = true;
            error = EACCES;
            return false;
        }
        std::array<char, 4096> buffer{};
        const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string link(buffer.data(), static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : folderOf(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

void removeStaleTemporaries(const std::string &folder)
{
    DIR *listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const int folderFd = ::dirfd(listing);
    while (const dirent *entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat info
        {
        };
        if (!isTemporaryName(folderFd, name) ||
            ::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            before(info.st_mtim, kRunStart)) {
            ::unlinkat(folderFd, name.c_str(), 0);
        }
    }
    ::closedir(listing);
}

bool StagedFile::create(const std::string &folder)
{
    m_folder = folder;
    // An unnamed file: an interrupted save leaves nothing behind. File systems without it say
    // EOPNOTSUPP (or EISDIR, EINVAL on older kernels); a folder that refuses new files says so
    // here as it would for a named one.
    // It is named later through /proc; without /proc a named file is used from the start.
    static const bool canName = ::access("/proc/self/fd", F_OK) == 0;
    const int unnamed =
        canName ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, S_IRUSR | S_IWUSR) : -1;
    if (unnamed >= 0) {
        m_fd.reset(unnamed);
        m_unnamed = true;
        return true;
    }
    if (canName && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = folder + "/" + kTemporaryPrefix + randomLetters();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              S_IRUSR | S_IWUSR);
        if (fd >= 0) {
            m_fd.reset(fd);
            m_name = name;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    errno = EEXIST;
    return false;
}

int StagedFile::publish()
{
    if (!m_unnamed) {
        return 0;
    }
    // Linking through /proc needs no privilege; without /proc, AT_EMPTY_PATH may still work.
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = m_folder + "/" + kTemporaryPrefix + randomLetters();
        int result = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        if (result != 0 && errno == ENOENT) {
            result = ::linkat(m_fd.get(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
        }
        if (result == 0) {
            m_name = name;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

StagedFile::~StagedFile()
{
    if (!m_name.empty()) {
        ::unlink(m_name.c_str());
    }
}

} // namespace ferrolux::file_detail
