#pragma once

// What the tests share for files: a fresh, empty folder under the system's temporary folder,
// removed with everything in it when the test ends; the temporaries a save left; whole-file
// reads and writes; and the splitting and joining of CR LF records.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace ferrolux::testing_support {

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ferrolux-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a scratch folder");
        }
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // The folder with a trailing separator, as the program names its folder.
    std::string folder() const { return m_path.string() + "/"; }
    std::string path(const std::string &name) const { return folder() + name; }

private:
    std::filesystem::path m_path;
};

// Names in the folder that look like temporary files of a save.
inline int temporaryFilesIn(const std::string &folder)
{
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().filename().string().find(".tmp-") != std::string::npos;
    }
    return count;
}

// Whether the whole of `bytes` was written.
inline bool writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return out.good();
}

inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The records of a record file without their CR LF ends; a last piece without one counts too.
inline std::vector<std::string> splitRecords(const std::string &bytes)
{
    std::vector<std::string> records;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        records.push_back(bytes.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return records;
}

// The first `count` records (all by default), each ended by CR LF.
inline std::string joinRecords(const std::vector<std::string> &records,
                               std::size_t count = std::string::npos)
{
    std::string bytes;
    for (std::size_t i = 0; i < records.size() && i < count; ++i) {
        bytes += records[i] + "\r\n";
    }
    return bytes;
}

} // namespace ferrolux::testing_support
