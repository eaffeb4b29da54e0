#pragma once

// The steps of a save before its rename (not for other use): finding the entry a save should
// replace, and the new file the bytes go to first, with the clean-up of the new files an
// interrupted run left behind.

#include "file_descriptor.h"

#include <string>

namespace ferrolux::file_detail {

// The folder part of `path` ("." when it has none).
std::string folderOf(const std::string &path);

// Follows `path` through links to the entry a write should replace. A link whose target is
// missing gives that target; a loop of links gives ELOOP. A link that stands in a sticky,
// world-writable folder and is owned by neither this user nor the folder's owner is refused
// with EACCES and `plantedLink` set: another user may have planted it there.
bool finalTarget(const std::string &path, std::string &target, int &error, bool &plantedLink);

// The temporaries a save makes: this prefix and eight letters or digits.
inline constexpr char kTemporaryPrefix[] = ".ferrolux.tmp-";

// Removes, from `folder`, the temporaries that an earlier run of the program left behind when
// it was stopped in the middle of a save: regular files named like this run's temporaries (or
// like older versions' "<name>.tmp-" and eight letters or digits beside the file <name>), owned
// by this user and last written before this run started. Anything else is left alone; failures are
// ignored.
void removeStaleTemporaries(const std::string &folder);

// A new, empty file in a folder that a save writes its bytes to before they replace the
// target. Where the file system allows, it has no name until publish(); otherwise it is
// created exclusively (never through a link) under a short unique name. An unpublished file
// is gone when the object ends.
class StagedFile
{
public:
    // Creates the file in `folder`; false with errno set when that is impossible.
    bool create(const std::string &folder);
    int fd() const { return m_fd.get(); }
    // Gives the file its temporary name (already done for a named one); 0 or the errno.
    int publish();
    // The name publish() gave.
    const std::string &name() const { return m_name; }
    // Closes the file; 0 or the errno of a failed close (a late write error).
    int close() { return m_fd.close(); }
    // The name now belongs to the target (renamed or linked there): nothing to remove.
    void release() { m_name.clear(); }
    ~StagedFile();

private:
    Descriptor m_fd;
    std::string m_folder;
    std::string m_name;
    bool m_unnamed = false;
};

} // namespace ferrolux::file_detail
