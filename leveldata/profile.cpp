// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/profile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace leveldata {
namespace {

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Lower case of every byte: ASCII and the Cyrillic letters of Windows-1251.
constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<unsigned char>(c + 0x20);
    for (int c = 0xC0; c <= 0xDF; ++c)
        t[c] = static_cast<unsigned char>(c + 0x20);
    constexpr unsigned char pairs[][2] = {
        {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
        {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
    };
    for (const auto &p : pairs)
        t[p[0]] = p[1];
    return t;
}
constexpr auto FoldTable = makeFoldTable();

int compareFolded(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = FoldTable[static_cast<unsigned char>(a[i])];
        const int y = FoldTable[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool equalFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && compareFolded(a, b) == 0;
}

struct Line
{
    std::size_t begin, end, next; // text [begin, end), line end [end, next)
};

// Position of the first `c` in [from, to), or `to`.
std::size_t findByte(std::string_view bytes, char c, std::size_t from, std::size_t to)
{
    if (from >= to)
        return to;
    const void *hit = std::memchr(bytes.data() + from, c, to - from);
    return hit ? static_cast<std::size_t>(static_cast<const char *>(hit) - bytes.data()) : to;
}

std::size_t bomLength(std::string_view bytes)
{
    return bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

// Splits bytes into lines at CR LF, LF or CR, skipping a leading UTF-8 byte order mark.
// Remembers where the next CR and LF are, so a file of CR-only lines (or LF-only lines) is still
// split in one pass rather than one search to the end per line.
class LineScanner
{
public:
    explicit LineScanner(std::string_view bytes)
        : m_bytes(bytes),
          m_pos(bomLength(bytes)),
          m_nextLf(findByte(bytes, '\n', m_pos, bytes.size())),
          m_nextCr(findByte(bytes, '\r', m_pos, bytes.size()))
    { }

    bool next(Line &line)
    {
        const std::size_t size = m_bytes.size();
        if (m_pos >= size)
            return false;
        if (m_nextLf < m_pos)
            m_nextLf = findByte(m_bytes, '\n', m_pos, size);
        if (m_nextCr < m_pos)
            m_nextCr = findByte(m_bytes, '\r', m_pos, size);
        const std::size_t e = std::min(m_nextLf, m_nextCr);
        std::size_t next = e;
        if (e < size)
            next = (m_bytes[e] == '\r' && e + 1 < size && m_bytes[e + 1] == '\n') ? e + 2 : e + 1;
        line = {m_pos, e, next};
        m_pos = next;
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos;
    std::size_t m_nextLf, m_nextCr; // of the first line not yet returned; size() when none
};

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine
{
    LineKind kind;
    std::size_t nameBegin = 0, nameEnd = 0; // section or key name, blanks trimmed
    std::size_t valueBegin = 0;             // key lines: just after the '='
};

ParsedLine parseLine(std::string_view bytes, const Line &line)
{
    std::size_t p = line.begin;
    while (p < line.end && isBlank(bytes[p]))
        ++p;
    if (p == line.end)
        return {LineKind::Blank};
    if (bytes[p] == ';')
        return {LineKind::Comment};
    const auto trimmedEnd = [&](std::size_t b, std::size_t e) {
        while (e > b && isBlank(bytes[e - 1]))
            --e;
        return e;
    };
    if (bytes[p] == '[') {
        const std::size_t close = findByte(bytes, ']', p + 1, line.end);
        if (close < line.end) {
            std::size_t b = p + 1;
            while (b < close && isBlank(bytes[b]))
                ++b;
            return {LineKind::Section, b, trimmedEnd(b, close)};
        }
    }
    const std::size_t eq = findByte(bytes, '=', p, line.end);
    if (eq == line.end)
        return {LineKind::Other};
    return {LineKind::Key, p, trimmedEnd(p, eq), eq + 1};
}

std::string_view slice(std::string_view bytes, std::size_t begin, std::size_t end)
{
    return bytes.substr(begin, end - begin);
}

std::string valueOf(std::string_view raw, std::size_t maxBytes)
{
    raw = raw.substr(0, raw.find('\0'));
    while (!raw.empty() && isBlank(raw.front()))
        raw.remove_prefix(1);
    while (!raw.empty() && isBlank(raw.back()))
        raw.remove_suffix(1);
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.substr(1, raw.size() - 2);
    return std::string(raw.substr(0, maxBytes));
}

// Where write() finds a key, or where it would put it.
struct Location
{
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t valueBegin = 0, valueEnd = 0; // the found key's raw value
    std::size_t insertAt = 0;                 // just after the section's last content line
    bool insertNeedsLineEnd = false;          // that line is the file's last and has no end
};

Location locate(std::string_view bytes, std::string_view section, std::string_view key)
{
    Location loc;
    bool inSection = false;
    LineScanner lines(bytes);
    for (Line line{}; lines.next(line);) {
        const ParsedLine parsed = parseLine(bytes, line);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break;
            inSection = equalFolded(slice(bytes, parsed.nameBegin, parsed.nameEnd), section);
        } else if (!inSection || parsed.kind == LineKind::Blank || parsed.kind == LineKind::Comment) {
            continue;
        } else if (parsed.kind == LineKind::Key && equalFolded(slice(bytes, parsed.nameBegin, parsed.nameEnd), key)) {
            loc.keyFound = true;
            loc.valueBegin = parsed.valueBegin;
            loc.valueEnd = line.end;
            break;
        }
        if (inSection) {
            loc.sectionFound = true;
            loc.insertAt = line.next;
            loc.insertNeedsLineEnd = line.next == line.end;
        }
    }
    return loc;
}

// Cuts at a NUL and turns every line break (CR LF, CR or LF) into one space.
std::string oneLine(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return out;
}

} // namespace

Profile::Profile(std::string bytes) : m_bytes(std::move(bytes))
{
    buildIndex();
}

void Profile::buildIndex() const
{
    m_sections.clear();
    m_keys.clear();
    m_indexStale = false;

    const std::string_view bytes = m_bytes;
    const auto keyName = [&](const KeyRecord &k) { return slice(bytes, k.nameBegin, k.nameEnd); };
    const auto sortKeysOfLastSection = [&] {
        if (m_sections.empty())
            return;
        const auto &s = m_sections.back();
        const auto first = m_keys.begin() + static_cast<std::ptrdiff_t>(s.firstKey);
        const auto last = m_keys.begin() + static_cast<std::ptrdiff_t>(s.endKey);
        std::stable_sort(first, last, [&](const KeyRecord &a, const KeyRecord &b) {
            return compareFolded(keyName(a), keyName(b)) < 0;
        });
    };

    LineScanner lines(bytes);
    for (Line line{}; lines.next(line);) {
        const ParsedLine parsed = parseLine(bytes, line);
        if (parsed.kind == LineKind::Section) {
            sortKeysOfLastSection();
            const std::size_t k = m_keys.size();
            m_sections.push_back({parsed.nameBegin, parsed.nameEnd, k, k});
        } else if (parsed.kind == LineKind::Key && !m_sections.empty()) {
            m_keys.push_back({parsed.nameBegin, parsed.nameEnd, parsed.valueBegin, line.end});
            ++m_sections.back().endKey;
        }
    }
    sortKeysOfLastSection();
    std::stable_sort(m_sections.begin(), m_sections.end(), [&](const SectionRecord &a, const SectionRecord &b) {
        return compareFolded(slice(bytes, a.nameBegin, a.nameEnd), slice(bytes, b.nameBegin, b.nameEnd)) < 0;
    });
}

std::string Profile::read(std::string_view section, std::string_view key, std::size_t maxBytes) const
{
    if (m_indexStale)
        buildIndex();
    const std::string_view bytes = m_bytes;
    const auto s = std::lower_bound(m_sections.begin(), m_sections.end(), section,
                                    [&](const SectionRecord &r, std::string_view name) {
                                        return compareFolded(slice(bytes, r.nameBegin, r.nameEnd), name) < 0;
                                    });
    if (s == m_sections.end() || !equalFolded(slice(bytes, s->nameBegin, s->nameEnd), section))
        return {};
    const auto first = m_keys.begin() + static_cast<std::ptrdiff_t>(s->firstKey);
    const auto last = m_keys.begin() + static_cast<std::ptrdiff_t>(s->endKey);
    const auto k = std::lower_bound(first, last, key, [&](const KeyRecord &r, std::string_view name) {
        return compareFolded(slice(bytes, r.nameBegin, r.nameEnd), name) < 0;
    });
    if (k == last || !equalFolded(slice(bytes, k->nameBegin, k->nameEnd), key))
        return {};
    return valueOf(slice(bytes, k->valueBegin, k->valueEnd), maxBytes);
}

void Profile::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string s = oneLine(section);
    const std::string k = oneLine(key);
    const std::string v = oneLine(value);
    const Location loc = locate(m_bytes, s, k);
    if (loc.keyFound) {
        m_bytes.replace(loc.valueBegin, loc.valueEnd - loc.valueBegin, v);
    } else if (loc.sectionFound) {
        m_bytes.insert(loc.insertAt, (loc.insertNeedsLineEnd ? "\r\n" : "") + k + "=" + v + "\r\n");
    } else {
        if (m_bytes.size() > bomLength(m_bytes) && m_bytes.back() != '\r' && m_bytes.back() != '\n')
            m_bytes += "\r\n";
        m_bytes += "[" + s + "]\r\n" + k + "=" + v + "\r\n";
    }
    m_indexStale = true;
}

void Profile::removeSection(std::string_view section)
{
    std::string kept;
    bool dropping = false;
    bool removed = false;
    std::size_t keptFrom = 0; // start of the run of lines kept since the last dropped one
    LineScanner lines(m_bytes);
    for (Line line{}; lines.next(line);) {
        const ParsedLine parsed = parseLine(m_bytes, line);
        if (parsed.kind == LineKind::Section) {
            const bool match = equalFolded(slice(m_bytes, parsed.nameBegin, parsed.nameEnd), section);
            if (match && !dropping)
                kept.append(m_bytes, keptFrom, line.begin - keptFrom);
            else if (!match && dropping)
                keptFrom = line.begin;
            dropping = match;
            removed |= match;
        }
    }
    if (!removed)
        return;
    if (!dropping)
        kept.append(m_bytes, keptFrom, std::string::npos);
    m_bytes = std::move(kept);
    m_indexStale = true;
}

} // namespace leveldata
