#include "core/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/AtomicFile.h"
#include "core/TextEncoding.h"
#include "core/Text.h"

namespace huebird {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsQuote(char c) { return c == '"' || c == '\''; }

// One matching pair of quotes around a value is markup, not content.
bool IsWrappedInQuotes(std::string_view s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

std::string_view Unquote(std::string_view s) {
    return IsWrappedInQuotes(s) ? s.substr(1, s.size() - 2) : s;
}

bool HasNonAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Names in messages may hold the very line breaks that made us refuse them.
std::string Printable(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Loading

Loaded Load(const fs::path& path) { return ReadPlainFile(path, Profile::kMaxFileSize); }

// The text lines are read from. An 8-bit file (UTF-8 or GB18030) is used as it is; a UTF-16
// file is decoded to UTF-8 once and encoded again on the way out, which gives back exactly
// the same bytes for everything an edit did not touch.
struct Document {
    std::string bytes;
    std::size_t bodyStart = 0;  // past a UTF-8 byte order mark
    Encoding encoding = Encoding::kUtf8;
};

// An 8-bit file is UTF-8 unless it reads as GB18030: most of its non-ASCII bytes start no UTF-8
// sequence (GB18030 text gives about two such bytes a character, and only now and then a pair
// that happens to be UTF-8). A UTF-8 file with a stray byte or two (a Latin-1 hand edit) stays
// UTF-8, the stray bytes kept as they are, so its other text neither reads garbled nor gets
// new text in another encoding.
Encoding EightBitEncoding(std::string_view body) {
    if (IsValidUtf8(body)) return Encoding::kUtf8;
    const Utf8Tally t = TallyUtf8(body);
    return t.sequences >= t.strayBytes ? Encoding::kUtf8 : Encoding::kGb18030;
}

// The document of a file's bytes, or why there is none (a UTF-16 file that does not decode).
std::optional<std::string> MakeDocument(std::string bytes, Document& doc) {
    doc.bodyStart = 0;
    std::string_view all = bytes;
    // Neither FF FE nor FE FF can start UTF-8 or GB18030 text, so these marks are never
    // mistaken.
    if (all.starts_with(kUtf16LeBom) || all.starts_with(kUtf16BeBom)) {
        const bool big = all.starts_with(kUtf16BeBom);
        doc.encoding = big ? Encoding::kUtf16Be : Encoding::kUtf16Le;
        return DecodeUtf16(all.substr(2), big, doc.bytes);
    }
    doc.bytes = std::move(bytes);
    all = doc.bytes;
    if (all.starts_with(kUtf8Bom)) doc.bodyStart = kUtf8Bom.size();
    doc.encoding = EightBitEncoding(all.substr(doc.bodyStart));
    return std::nullopt;
}

// The file's bytes for a document.
std::string FileBytes(const Document& doc) {
    if (!IsUtf16(doc.encoding)) return doc.bytes;
    const bool big = doc.encoding == Encoding::kUtf16Be;
    std::string out(big ? kUtf16BeBom : kUtf16LeBom);
    EncodeUtf16(doc.bytes, big, out);
    return out;
}

std::size_t FileSize(const Document& doc) {
    return IsUtf16(doc.encoding) ? 2 + 2 * Utf16Units(doc.bytes) : doc.bytes.size();
}

std::optional<Document> LoadDocument(const fs::path& path) {
    Loaded l = Load(path);
    if (l.error != LoadError::kNone) return std::nullopt;
    Document doc;
    if (MakeDocument(std::move(l.bytes), doc)) return std::nullopt;  // nothing in it can be trusted
    return doc;
}

// ---------------------------------------------------------------------------------------------
// Line reading. Lines are split on the document's bytes (CR and LF never occur inside a
// GB18030 character); everything else is decided on the UTF-8 text, because GB18030 trail bytes can
// be '[', ']' or ASCII letters and would otherwise be taken for brackets or folded in case.

enum class LineKind { kOther, kSection, kKey };

struct Line {
    std::size_t begin = 0;  // raw offsets: start of the line,
    std::size_t end = 0;    // end of its content,
    std::size_t next = 0;   // start of the following line (past the line break)
    LineKind kind = LineKind::kOther;
    std::string_view name;        // section or key name, UTF-8; valid until the next line is read
    std::string_view value;       // key value, trimmed and unquoted, UTF-8
    std::size_t rawEq = 0;        // raw offset of the '=' of a key line
    std::size_t rawNameSize = 0;  // key name length in the file's own 8-bit encoding (UTF-8
                                  // for a UTF-16 file)
};

class LineReader {
  public:
    explicit LineReader(const Document& doc) : doc_(doc), pos_(doc.bodyStart) {}

    bool Next() {
        const char* b = doc_.bytes.data();
        const std::size_t size = doc_.bytes.size();
        if (pos_ >= size) return false;
        Line& l = line_;
        l = Line{};
        l.begin = pos_;
        std::size_t e = pos_;
        // Both break characters are below ' ', so one compare skips ordinary text.
        while (e < size &&
               (static_cast<unsigned char>(b[e]) > '\r' || (b[e] != '\r' && b[e] != '\n'))) {
            ++e;
        }
        l.end = e;
        if (e < size) {
            l.next = (b[e] == '\r' && e + 1 < size && b[e + 1] == '\n') ? e + 2 : e + 1;
        } else {
            l.next = e;
        }
        pos_ = l.next;
        Classify(l);
        return true;
    }

    const Line& line() const { return line_; }

  private:
    std::string_view Text(std::string_view raw) {
        if (doc_.encoding != Encoding::kGb18030 || !HasNonAscii(raw)) return raw;
        if (!decoder_) decoder_.emplace("UTF-8", "GB18030");
        // U+FFFD for bytes that are not GB18030 either: the rest of the line still reads.
        if (!decoder_->Convert(raw, decoded_, "\xEF\xBF\xBD")) {
            // No GB18030 converter on this system: keep the ASCII, mark the rest unreadable.
            decoded_.clear();
            for (char c : raw) {
                if (static_cast<unsigned char>(c) < 0x80) {
                    decoded_ += c;
                } else {
                    decoded_ += "\xEF\xBF\xBD";
                }
            }
        }
        return decoded_;
    }

    void Classify(Line& l) {
        std::string_view raw(doc_.bytes.data() + l.begin, l.end - l.begin);
        std::string_view text = Text(raw);
        std::string_view s = TrimLeadingBlanksView(text);
        if (s.empty() || s.front() == ';') return;
        if (s.front() == '[') {
            // Text after ']' is ignored; a '[' line without ']' is neither section nor key.
            std::size_t close = s.find(']');
            if (close != std::string_view::npos) {
                l.kind = LineKind::kSection;
                l.name = TrimBlanksView(s.substr(1, close - 1));
            }
            return;
        }
        std::size_t eq = text.find('=');
        std::size_t rawEq = raw.find('=');
        if (eq == std::string_view::npos || rawEq == std::string_view::npos) return;
        std::string_view name = TrimBlanksView(text.substr(0, eq));
        if (name.empty()) return;
        l.kind = LineKind::kKey;
        l.name = name;
        l.value = Unquote(TrimBlanksView(text.substr(eq + 1)));
        l.rawEq = l.begin + rawEq;
        l.rawNameSize = TrimBlanksView(raw.substr(0, rawEq)).size();
    }

    const Document& doc_;
    std::size_t pos_;
    Line line_;
    std::string decoded_;
    std::optional<Converter> decoder_;
};

std::optional<std::string> Lookup(const Document& doc, std::string_view section,
                                  std::string_view key) {
    LineReader reader(doc);
    bool inSection = false;
    while (reader.Next()) {
        const Line& l = reader.line();
        if (l.kind == LineKind::kSection) {
            if (inSection) return std::nullopt;  // only the first matching section counts
            inSection = EqualsIgnoringCase(l.name, section);
        } else if (inSection && l.kind == LineKind::kKey && EqualsIgnoringCase(l.name, key)) {
            return std::string(l.value);
        }
    }
    return std::nullopt;
}

std::optional<int> ParseInteger(std::string_view s) {
    s = TrimBlanksView(s);
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        // Hex is how colours are written, so the full 32-bit pattern is accepted:
        // 0xFFFFFFFF reads as -1 rather than being refused.
        std::uint64_t v = 0;
        for (char c : s.substr(2)) {
            int d;
            if (c >= '0' && c <= '9') {
                d = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                d = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                d = c - 'A' + 10;
            } else {
                return std::nullopt;
            }
            v = v * 16 + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFu) return std::nullopt;
        }
        return static_cast<int>(static_cast<std::uint32_t>(v));
    }
    std::size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size()) return std::nullopt;
    std::int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<std::int64_t>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return std::nullopt;
    return static_cast<int>(v);
}

// ---------------------------------------------------------------------------------------------
// Editing

std::string Quoted(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    out += s;
    out += '"';
    return out;
}

std::string Fail(const fs::path& shown, std::string_view what) {
    return shown.string() + ": " + std::string(what);
}

// What the INI format cannot hold is refused instead of being written into a file that would
// then read differently (or break the lines around it).
std::optional<std::string> CheckNames(std::string_view section, std::string_view key,
                                      const std::string_view* value) {
    if (auto problem = SectionNameProblem(section)) {
        return "the section name " + Quoted(Printable(section)) + " " + *problem;
    }
    if (auto problem = KeyNameProblem(key)) {
        return "the key name " + Quoted(Printable(key)) + " in section " +
               Quoted(Printable(section)) + " " + *problem;
    }
    if (value != nullptr) {
        if (auto problem = ValueProblem(*value)) {
            return "the value of key " + Quoted(Printable(key)) + " in section " +
                   Quoted(Printable(section)) + " " + *problem;
        }
    }
    return std::nullopt;
}

// Reading trims blanks and strips one pair of quotes, so a value that would lose either is
// wrapped in double quotes; reading then gives back exactly what was written.
std::string ValueForFile(std::string_view value) {
    if (!value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) || IsWrappedInQuotes(value))) {
        return Quoted(value);
    }
    return std::string(value);
}

// A new line takes the break of the line it follows, so that in a file with mixed endings a
// lone CR never ends up before an LF (the two would then read as one break). After a line
// without a break (the end of the file), the file's first break is used; LF if it has none.
std::string BreakAfter(const Document& doc, std::size_t end, std::size_t next) {
    const std::string& b = doc.bytes;
    if (next > end) return b.substr(end, next - end);
    for (std::size_t i = doc.bodyStart; i < b.size(); ++i) {
        if (b[i] == '\n') return "\n";
        if (b[i] == '\r') return (i + 1 < b.size() && b[i + 1] == '\n') ? "\r\n" : "\r";
    }
    return "\n";
}

struct Edit {
    enum class Kind { kUnchanged, kChanged, kError } kind = Kind::kUnchanged;
    std::string bytes;  // the new document
    std::string error;
};

// Text we add is UTF-8; a GB18030 file gets it in GB18030 so the file keeps one encoding. (A
// UTF-16 document is UTF-8 until it is written out.)
bool ForFile(const Document& doc, std::string_view utf8, std::string& out) {
    if (doc.encoding != Encoding::kGb18030 || !HasNonAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    Converter encoder("GB18030", "UTF-8");
    return encoder.Convert(utf8, out, nullptr);
}

Edit MakeEdit(const Document& doc, std::string_view section, std::string_view key,
              const std::string_view* value) {
    Edit edit;
    const std::string& b = doc.bytes;
    LineReader reader(doc);
    bool inSection = false;
    bool sectionFound = false;
    // Where a new key goes: after the section's last key line, or its header if it has none.
    std::size_t anchorEnd = 0, anchorNext = 0;
    std::size_t lastEnd = doc.bodyStart, lastNext = doc.bodyStart;  // the file's last line
    std::vector<std::pair<std::size_t, std::size_t>> removals;
    while (reader.Next()) {
        const Line& l = reader.line();
        lastEnd = l.end;
        lastNext = l.next;
        if (l.kind == LineKind::kSection) {
            if (inSection) break;
            if (EqualsIgnoringCase(l.name, section)) {
                inSection = sectionFound = true;
                anchorEnd = l.end;
                anchorNext = l.next;
            }
            continue;
        }
        if (!inSection || l.kind != LineKind::kKey) continue;
        anchorEnd = l.end;
        anchorNext = l.next;
        if (!EqualsIgnoringCase(l.name, key)) continue;
        if (value == nullptr) {
            // Every copy goes, or the next duplicate would surface as the key's value.
            removals.emplace_back(l.begin, l.next);
            continue;
        }
        if (l.value == *value) return edit;
        // Keep the key as spelled and the blanks around '='; replace what follows.
        std::size_t valueStart = l.rawEq + 1;
        while (valueStart < l.end && IsBlank(b[valueStart])) ++valueStart;
        std::string encoded;
        if (!ForFile(doc, ValueForFile(*value), encoded)) {
            edit.kind = Edit::Kind::kError;
            edit.error = "the value cannot be written in the file's encoding (GB18030)";
            return edit;
        }
        edit.kind = Edit::Kind::kChanged;
        edit.bytes.reserve(b.size() + encoded.size());
        edit.bytes.append(b, 0, valueStart);
        edit.bytes += encoded;
        edit.bytes.append(b, l.end);
        return edit;
    }

    if (value == nullptr) {
        if (removals.empty()) return edit;
        edit.kind = Edit::Kind::kChanged;
        std::size_t from = 0;
        for (auto [begin, next] : removals) {
            edit.bytes.append(b, from, begin - from);
            from = next;
        }
        edit.bytes.append(b, from);
        return edit;
    }

    // Insert after the anchor line, or after the file's last line for a new section. If that
    // line ends the file without a break, it gets one first.
    std::size_t afterEnd = sectionFound ? anchorEnd : lastEnd;
    std::size_t at = sectionFound ? anchorNext : lastNext;
    bool needBreakFirst = at == afterEnd && at > doc.bodyStart;
    std::string br = BreakAfter(doc, afterEnd, at);
    std::string added;
    if (!sectionFound) added += "[" + std::string(section) + "]" + br;
    added += std::string(key) + "=" + ValueForFile(*value) + br;
    std::string encoded;
    if (!ForFile(doc, added, encoded)) {
        edit.kind = Edit::Kind::kError;
        edit.error = "the text cannot be written in the file's encoding (GB18030)";
        return edit;
    }
    edit.kind = Edit::Kind::kChanged;
    edit.bytes.reserve(b.size() + encoded.size() + br.size());
    edit.bytes.append(b, 0, at);
    if (needBreakFirst) edit.bytes += br;
    edit.bytes += encoded;
    edit.bytes.append(b, at);
    return edit;
}

// One change of a batch: a value to write, or none to delete the key.
struct Change {
    std::string_view key;
    std::optional<std::string_view> value;
};

WriteResult Modify(const fs::path& shown, std::string_view section,
                   const std::vector<Change>& changes) {
    for (const Change& c : changes) {
        const std::string_view* value = c.value ? &*c.value : nullptr;
        if (auto problem = CheckNames(section, c.key, value)) {
            return {false, Fail(shown, (value ? "cannot write: " : "cannot delete: ") + *problem)};
        }
    }
    // Replace the file a link points to, not the link.
    std::error_code ec;
    fs::path target = fs::canonical(shown, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) {
            return {false, Fail(shown, "file does not exist"), true};
        }
        return {false, Fail(shown, ec.message())};
    }
    // From reading the file until its replacement is in place no other writer may read or
    // write it, or one of the two would write back what the other's change replaced.
    WriteLock lock;
    if (auto error = lock.Acquire(target)) return {false, Fail(shown, *error)};
    Loaded loaded = Load(target);
    switch (loaded.error) {
        case LoadError::kNone:
            break;
        case LoadError::kMissing:
            return {false, Fail(shown, "file does not exist"), true};
        case LoadError::kNotRegular:
            return {false, Fail(shown, "not a regular file")};
        case LoadError::kTooLarge:
            return {false, Fail(shown, "file is too large (limit " +
                                           std::to_string(Profile::kMaxFileSize) + " bytes)")};
        case LoadError::kSystem:
            return {false, Fail(shown, SystemReason(loaded.errnum))};
    }
    const struct stat original = loaded.st;
    Document doc;
    if (auto malformed = MakeDocument(std::move(loaded.bytes), doc)) {
        return {false,
                Fail(shown, "not changed: the file is not valid UTF-16 (" + *malformed + ")")};
    }

    // Each change applies to the result of the one before, exactly as a single write would
    // find it on disk; the file is then replaced once, with the end result.
    std::optional<std::string> before;  // the document as loaded, once something changed
    for (const Change& c : changes) {
        const std::string_view* value = c.value ? &*c.value : nullptr;
        Edit edit = MakeEdit(doc, section, c.key, value);
        if (edit.kind == Edit::Kind::kUnchanged) continue;
        if (edit.kind == Edit::Kind::kError) return {false, Fail(shown, edit.error)};
        if (!before) before = doc.bytes;
        if (IsUtf16(doc.encoding)) {
            doc.bytes = std::move(edit.bytes);  // written and read back, it would be the same
        } else {
            // The encoding is recognised from the text. If the change left text that reads
            // as the other 8-bit encoding, every non-ASCII character would read differently.
            std::string_view body = std::string_view(edit.bytes).substr(doc.bodyStart);
            const Encoding now = EightBitEncoding(body);
            if (now != doc.encoding && HasNonAscii(body)) {
                return {false, Fail(shown, doc.encoding == Encoding::kGb18030
                                               ? "not written: after this change the file's "
                                                 "GB18030 text would read as UTF-8"
                                               : "not written: after this change the file's "
                                                 "UTF-8 text would read as GB18030")};
            }
            // Its encoding is decided afresh, as the next read of the written file would.
            if (auto malformed = MakeDocument(std::move(edit.bytes), doc)) {
                return {false, Fail(shown, "not written: the result would not read back")};
            }
        }
        if (FileSize(doc) > Profile::kMaxFileSize) {
            return {false, Fail(shown, "file would become too large (limit " +
                                           std::to_string(Profile::kMaxFileSize) + " bytes)")};
        }
    }
    if (!before || *before == doc.bytes) return {};
    // rename() needs only the folder to be writable; a read-only file must still refuse.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return {false, Fail(shown, SystemReason(errno))};
    }
    const std::string bytes = FileBytes(doc);
    if (auto error = ReplaceWhole(target, loaded.fd.get(), original,
                                  [&bytes](int fd) { return WriteAll(fd, bytes); })) {
        return {false, Fail(shown, *error)};
    }
    return {};
}

}  // namespace

Profile::Profile(std::filesystem::path file) : file_(std::move(file)) {}

bool Profile::Exists() const {
    struct stat st {};
    return ::stat(file_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Profile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    std::optional<Document> doc = LoadDocument(file_);
    if (!doc) return std::string(def);
    std::optional<std::string> value = Lookup(*doc, section, key);
    return value ? std::move(*value) : std::string(def);
}

int Profile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::optional<Document> doc = LoadDocument(file_);
    if (!doc) return def;
    std::optional<std::string> value = Lookup(*doc, section, key);
    if (!value) return def;
    return ParseInteger(*value).value_or(def);
}

WriteResult Profile::WriteString(std::string_view section, std::string_view key,
                                 std::string_view value) const {
    return Modify(file_, section, {{key, value}});
}

WriteResult Profile::WriteStrings(
    std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& entries) const {
    std::vector<Change> changes;
    changes.reserve(entries.size());
    for (const auto& [key, value] : entries) changes.push_back({key, value});
    return Modify(file_, section, changes);
}

WriteResult Profile::DeleteKey(std::string_view section, std::string_view key) const {
    return Modify(file_, section, {{key, std::nullopt}});
}

std::vector<std::string> Profile::ReadSectionKeys(std::string_view section,
                                                  std::size_t bufferSize) const {
    std::vector<std::string> keys;
    std::optional<Document> doc = LoadDocument(file_);
    if (!doc || bufferSize == 0) return keys;
    // Sizes are counted in the file's own encoding (a GB18030 name takes its GB18030 length),
    // as a buffer filled straight from the file would be; the names returned are UTF-8, and
    // a UTF-16 file's names count as that UTF-8.
    // Every key line is listed, duplicates included, in file order.
    std::size_t used = 1;  // the final zero
    LineReader reader(*doc);
    bool inSection = false;
    while (reader.Next()) {
        const Line& l = reader.line();
        if (l.kind == LineKind::kSection) {
            if (inSection) break;
            inSection = EqualsIgnoringCase(l.name, section);
        } else if (inSection && l.kind == LineKind::kKey) {
            std::size_t need = l.rawNameSize + 1;
            if (need > bufferSize - used) break;  // no half names, and none after it
            used += need;
            keys.emplace_back(l.name);
        }
    }
    return keys;
}

}  // namespace huebird
