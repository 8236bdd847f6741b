// The profile (INI) layer: settings, favourites and skin descriptions are INI files that were
// made on another desktop and must read the same here. Every call opens the file afresh;
// nothing is cached. Strings in and out are UTF-8. A file that starts with a UTF-16 byte order
// mark (either order) is read as UTF-16 and written back in it; one that is not valid UTF-8 is
// read as GB18030 and written back in GB18030.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace huebird {

// Outcome of a write: ok, or a message naming the file and the reason.
struct WriteResult {
    bool ok = true;
    std::string message;
    bool missing = false;  // failed because the file does not exist
    explicit operator bool() const { return ok; }
};

class Profile {
  public:
    explicit Profile(std::filesystem::path file);

    const std::filesystem::path& path() const { return file_; }
    bool Exists() const;

    // The value of key in section (both matched without regard to ASCII case), or def.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal with optional sign, or 0x/0X hexadecimal (more than two characters); anything
    // else, or a value outside 32 bits, gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;

    // Replaces the value in place or appends the key (or the section). Never creates the
    // file; unchanged values are not written. The file is replaced atomically, keeping its
    // owner, mode and extended attributes, and under the write lock beside it (AtomicFile.h):
    // a write that reports success is in the file, whoever else writes it.
    WriteResult WriteString(std::string_view section, std::string_view key,
                            std::string_view value) const;
    // Writes the entries in order as WriteString would, one after another, but replaces the
    // file once: a crash leaves it as it was or with every entry. When one entry cannot be
    // written, none is, and the message says which; when nothing changes, nothing is written.
    WriteResult WriteStrings(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries) const;
    // Removes the key's line; a missing key succeeds and changes nothing.
    WriteResult DeleteKey(std::string_view section, std::string_view key) const;

    // The key names of section in file order, as many as fit whole in a listing buffer of
    // bufferSize bytes (each name followed by a zero byte, then a final zero).
    std::vector<std::string> ReadSectionKeys(std::string_view section,
                                             std::size_t bufferSize) const;

    // Files larger than this are refused (reads give defaults, writes fail with a message).
    static constexpr std::size_t kMaxFileSize = 16u * 1024u * 1024u;

  private:
    std::filesystem::path file_;
};

}  // namespace huebird
