// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace leveldata {

// An INI ("profile") file held in memory as its exact bytes, read and written the way the Windows
// profile-string calls do. Names and values are bytes as they stand in the file (Windows-1251);
// nothing here converts text.
//
// Lines end with CR LF, LF or CR; the last line may have no end. A UTF-8 byte order mark at the
// very start is skipped. A line whose first non-blank byte is '[' and that holds a ']' starts a
// section named by the text between them; any other line with '[' is an ordinary line. A line
// whose first non-blank byte is ';' is a comment. In a section, a line holding '=' is a key line:
// key before the first '=', value after it. Blanks are space and tab.
class Profile
{
public:
    // The longest value read() returns, in bytes; longer values are cut.
    static constexpr std::size_t MaxValueBytes = 199;

    Profile() = default;                 // an empty file: every read gives ""
    explicit Profile(std::string bytes); // takes any bytes at all; indexes them once

    // The value of `key` in `section`, or "" when the section or key is missing.
    // - Section and key names match regardless of case (ASCII and Windows-1251 letters); blanks
    //   around names in the file are ignored.
    // - Of duplicate sections only the first counts; of duplicate keys in it, the first.
    // - Lines before the first section, comments and lines without '=' hold no key.
    // - The value ends at a NUL byte if it holds one, loses the blanks around it, then loses one
    //   enclosing pair of equal quotes (" or ', at least two bytes), then is cut to `maxBytes`.
    std::string read(std::string_view section, std::string_view key, std::size_t maxBytes = MaxValueBytes) const;

    // Sets one key, as WritePrivateProfileString does, touching no other byte of the file:
    // - an existing key (first section, first key as read() finds it) keeps its line up to and
    //   including the '=' (key spelling and spacing); the rest of the line becomes `value`;
    // - a missing key gets the line key=value CR LF directly after the last line of its section
    //   that is neither blank nor a comment (before trailing comments and blank lines);
    // - a missing section is appended at the end as [section] CR LF key=value CR LF, with a CR LF
    //   first if the file's last line has no end.
    // Names and value are written verbatim, except that each line break in them (CR LF, CR or LF)
    // becomes one space, so a value can never add lines to the file, and that each is cut at a NUL
    // byte, as the C strings of the platform call would be. Names are meant to be plain: a key
    // holding '=' or a section holding ']' is written as given and will not read back.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Removes every section named `section` (matched as read() matches it): its header line and
    // every line after it up to the next section header or the end of the file. Nothing else
    // changes; a file without such a section stays byte for byte as it was.
    void removeSection(std::string_view section);

    const std::string &bytes() const { return m_bytes; }

private:
    // Offsets into m_bytes.
    struct KeyRecord
    {
        std::size_t nameBegin, nameEnd, valueBegin, valueEnd;
    };
    struct SectionRecord
    {
        std::size_t nameBegin, nameEnd, firstKey, endKey;
    };

    // Indexes m_bytes: every section and its keys, for read().
    void buildIndex() const;

    std::string m_bytes;
    // Sections in order of name (file order among equal names), each with its keys in order of
    // name (file order among equal names). A write() makes the index stale; the next read()
    // rebuilds it, so that a run of writes (a level's 184) indexes the file once, not per write.
    mutable std::vector<SectionRecord> m_sections;
    mutable std::vector<KeyRecord> m_keys;
    mutable bool m_indexStale = false;
};

} // namespace leveldata
