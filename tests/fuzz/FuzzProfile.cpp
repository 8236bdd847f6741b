// The profile layer on any file: one write or delete of a key chosen from the input, then
// the file read back. Properties:
//  - every read agrees with the plain reading of the rules (for UTF-8 and UTF-16 files);
//    ReadInteger agrees with the plain integer rule, whatever the encoding;
//  - a refused change leaves the file byte for byte as it was, and is refused only for names
//    or values the file cannot hold, a malformed file, or an 8-bit file that would read as
//    the other encoding after it (a GB18030 file turning into UTF-8, or a UTF-8 file with
//    stray bytes turning into GB18030);
//  - after a change the key reads back exactly, every other key keeps its value, the
//    encoding and byte order mark stay, and the lines are the old ones with exactly the one
//    change: one value replaced after its '=', whole lines added after the section's last
//    key (or a new section at the end), or the key's lines removed;
//  - no temporary file is left beside it.
//
// Input: one byte N, then N bytes that choose the change, then the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Reference.h"
#include "Scratch.h"
#include "core/Profile.h"

using namespace reference;

namespace {

const std::string kMissing = "\n";  // no value can hold a line break
constexpr int kDefault = 0x5EED;

struct Name {
    std::string section, key;
};

bool SameKey(const Name& a, const Name& b) {
    return SameName(a.section, b.section) && SameName(a.key, b.key);
}

std::string FlipCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return s;
}

std::string FirstEnding(const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        if (!l.ending.empty()) return l.ending;
    }
    return "\n";
}

std::string Where(const Name& n) { return "[" + Show(n.section) + "] " + Show(n.key); }

// The exact change for a file whose lines can be read.
void CheckLines(const std::vector<Line>& a, const std::vector<Line>& b, const Name& target,
                bool write, const std::string& value, bool identical) {
    const SectionPlace sec = FindSection(a, target.section);
    const std::optional<std::size_t> key = FindKey(a, sec, target.key);
    if (!write) {
        // Byte for byte: the key's lines go, with their line endings, and nothing else. (A
        // blank line can then join the line before it, as CR and LF, which reads the same.)
        std::string expected, got;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const Parsed p = Classify(a[i].content);
            const bool gone = sec.found && i > sec.header && i < sec.end && p.kind == Kind::kKey &&
                              SameName(p.name, target.key);
            if (!gone) expected += a[i].content + a[i].ending;
        }
        for (const Line& l : b) got += l.content + l.ending;
        Check(expected == got, "delete of " + Where(target) + " changed other lines");
        return;
    }
    if (key) {
        const Parsed old = Classify(a[*key].content);
        if (old.value == value) {
            Check(identical, "writing the value a key already has changed the file");
            return;
        }
        Check(a.size() == b.size(), "replacing a value changed the number of lines");
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (i == *key) continue;
            Check(a[i] == b[i],
                  "replacing " + Where(target) + " changed line " + std::to_string(i));
        }
        const Line& nl = b[*key];
        Check(nl.ending == a[*key].ending, "replacing a value changed its line's ending");
        Check(nl.content.compare(0, old.eq + 1, a[*key].content, 0, old.eq + 1) == 0,
              "replacing a value changed the text up to its '='");
        return;
    }
    const std::size_t pos = sec.found ? sec.lastKey + 1 : a.size();
    const std::size_t added = sec.found ? 1 : 2;
    Check(b.size() == a.size() + added, "adding " + Where(target) + " added " +
                                            std::to_string(b.size()) + " lines to " +
                                            std::to_string(a.size()));
    const std::string ending =
        pos > 0 && !a[pos - 1].ending.empty() ? a[pos - 1].ending : FirstEnding(a);
    for (std::size_t i = 0; i < pos; ++i) {
        if (i + 1 == pos && a[i].ending.empty()) {
            Check(b[i].content == a[i].content && b[i].ending == ending,
                  "the line before an added key did not get the file's line ending");
        } else {
            Check(a[i] == b[i], "adding a key changed line " + std::to_string(i));
        }
    }
    for (std::size_t i = pos; i < a.size(); ++i) {
        Check(a[i] == b[i + added], "adding a key changed line " + std::to_string(i));
    }
    for (std::size_t i = pos; i < pos + added; ++i) {
        Check(b[i].ending == ending, "an added line has the ending " + Show(b[i].ending) +
                                         ", the line before it " + Show(ending));
    }
    if (!sec.found) {
        Check(b[pos].content == "[" + target.section + "]",
              "a new section's line is " + Show(b[pos].content));
    }
    const std::string& line = b[pos + added - 1].content;
    Check(line.starts_with(target.key + "="), "an added key line is " + Show(line));
}

// The shape of the change for a GB18030 file, whose names this reading cannot decode.
void CheckShape(const std::vector<Line>& a, const std::vector<Line>& b, bool write) {
    std::size_t p = 0;
    while (p < a.size() && p < b.size() && a[p] == b[p]) ++p;
    std::size_t q = 0;
    while (q < a.size() - p && q < b.size() - p && a[a.size() - 1 - q] == b[b.size() - 1 - q]) {
        ++q;
    }
    const std::vector<Line> oldPart(a.begin() + p, a.end() - q),
        newPart(b.begin() + p, b.end() - q);
    if (oldPart.empty() && newPart.empty()) return;
    if (!write) {
        std::string got;
        for (const Line& l : b) got += l.content + l.ending;
        std::size_t at = 0;
        for (const Line& l : a) {
            const std::string bytes = l.content + l.ending;
            if (got.compare(at, bytes.size(), bytes) == 0) {
                at += bytes.size();
            } else {
                Check(l.content.find('=') != std::string::npos,
                      "a delete removed a line without '=': " + Show(l.content));
            }
        }
        Check(at == got.size(), "a delete did more than remove lines");
        return;
    }
    if (oldPart.size() == 1 && newPart.size() == 1 && oldPart[0].ending == newPart[0].ending) {
        const std::size_t eq = oldPart[0].content.find('=');
        Check(eq != std::string::npos &&
                  newPart[0].content.compare(0, eq + 1, oldPart[0].content, 0, eq + 1) == 0,
              "a write changed a line other than after its '='");
        return;
    }
    std::size_t from = 0;
    if (oldPart.size() == 1 && q == 0 && oldPart[0].ending.empty()) {
        Check(!newPart.empty() && newPart[0].content == oldPart[0].content &&
                  !newPart[0].ending.empty(),
              "a write changed the file's last line");
        from = 1;
    } else {
        Check(oldPart.empty(), "a write changed more than one line");
    }
    const std::size_t added = newPart.size() - from;
    Check(added == 1 || added == 2, "a write added " + std::to_string(added) + " lines");
    for (std::size_t i = from; i < newPart.size(); ++i) {
        Check(!newPart[i].ending.empty(), "an added line has no line ending");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Context().clear();
    const std::size_t controlSize = std::min<std::size_t>(data[0], size - 1);
    FuzzedDataProvider control(data + 1, controlSize);
    const std::string before(reinterpret_cast<const char*>(data) + 1 + controlSize,
                             size - 1 - controlSize);

    const auto path = scratch::Dir() / "palora.ini";
    scratch::WriteFile(path, before);
    const huebird::Profile profile(path);
    const Text text = Decode(before);
    const std::vector<Line> lines = SplitLines(text.body);

    // Every key the file names (as far as a plain reading sees them), and a few it does not.
    std::vector<Name> watched;
    std::string section;
    for (const Line& l : lines) {
        const Parsed p = Classify(l.content);
        if (p.kind == Kind::kSection) {
            section = p.name;
            watched.push_back({section, "absent key"});
        } else if (p.kind == Kind::kKey && watched.size() < 64) {
            watched.push_back({section, p.name});
        }
    }

    const bool write = control.ConsumeBool();
    const auto mode = control.ConsumeIntegral<std::uint8_t>();
    Name target;
    if (mode % 4 == 0 || watched.empty()) {
        target.section = control.ConsumeRandomLengthString(24);
        target.key = control.ConsumeRandomLengthString(24);
    } else {
        target = watched[control.ConsumeIntegral<std::uint16_t>() % watched.size()];
        if (mode & 4) target = {FlipCase(target.section), FlipCase(target.key)};
        if (mode & 8) target.key = control.ConsumeRandomLengthString(24);
    }
    std::string value = control.ConsumeRandomLengthString(48);
    if ((mode & 16) && Readable(text))
        value = Lookup(lines, target.section, target.key).value_or(value);
    const auto listing = control.ConsumeIntegralInRange<std::size_t>(0, 200);
    watched.push_back(target);
    watched.push_back({"absent section", target.key});

    // Reads, before the change.
    std::vector<std::string> was;
    for (const Name& n : watched) {
        was.push_back(profile.ReadString(n.section, n.key, kMissing));
        const int number = profile.ReadInteger(n.section, n.key, kDefault);
        if (text.encoding == Encoding::kBrokenUtf16) {
            Check(was.back() == kMissing && number == kDefault,
                  "a malformed UTF-16 file gave a value for " + Where(n));
            continue;
        }
        if (Readable(text)) {
            const std::optional<std::string> expected = Lookup(lines, n.section, n.key);
            Check(was.back() == expected.value_or(kMissing), "ReadString " + Where(n) + " gave " +
                                                                 Show(was.back()) + ", expected " +
                                                                 Show(expected.value_or(kMissing)));
        }
        const int expected =
            was.back() == kMissing ? kDefault : ParseInteger(was.back()).value_or(kDefault);
        Check(number == expected, "ReadInteger " + Where(n) + " of " + Show(was.back()) + " gave " +
                                      std::to_string(number) + ", expected " +
                                      std::to_string(expected));
    }
    if (Readable(text)) {
        Check(profile.ReadSectionKeys(target.section, listing) ==
                  SectionKeys(lines, target.section, listing),
              "ReadSectionKeys [" + Show(target.section) + "] in " + std::to_string(listing) +
                  " bytes");
    }

    const huebird::WriteResult result = write
                                            ? profile.WriteString(target.section, target.key, value)
                                            : profile.DeleteKey(target.section, target.key);
    const std::string after = scratch::ReadFile(path);
    Context() = std::string(write ? "write " : "delete ") + Where(target) +
                (write ? " = " + Show(value) : "") + "\n  file " + Show(before) + "\n  then " +
                Show(after);
    // Beside the file only the writers' lock file may stay (it does by design); anything else
    // is a leftover.
    std::vector<std::string> left = scratch::List(scratch::Dir());
    const std::string lockName = "." + path.filename().string() + ".lock";
    std::erase(left, lockName);
    Check(left.size() == 1,
          "a change left " + std::to_string(left.size()) + " files in its folder");

    const bool namesOk =
        SectionNameOk(target.section) && KeyNameOk(target.key) && (!write || ValueOk(value));
    if (!result.ok) {
        Check(after == before, "a refused change altered the file: " + result.message);
        const bool flips = text.encoding == Encoding::kUtf8 && !ValidUtf8(text.body) &&
                           result.message.find("would read as GB18030") != std::string::npos;
        Check(!namesOk || !Readable(text) || flips,
              "a sound change was refused: " + result.message);
        return 0;
    }
    Check(namesOk, "a change was accepted for " + Where(target) + " = " + Show(value));

    // Reads, after the change.
    for (std::size_t i = 0; i < watched.size(); ++i) {
        const Name& n = watched[i];
        const std::string now = profile.ReadString(n.section, n.key, kMissing);
        if (SameKey(n, target)) {
            Check(now == (write ? value : kMissing), Where(n) + " reads " + Show(now) +
                                                         " after the change, not " +
                                                         Show(write ? value : kMissing));
            const int expected = write ? ParseInteger(value).value_or(kDefault) : kDefault;
            Check(profile.ReadInteger(n.section, n.key, kDefault) == expected,
                  "ReadInteger of the value just written");
        } else {
            Check(now == was[i], Where(n) + " read " + Show(was[i]) + " and reads " + Show(now) +
                                     " after a change of " + Where(target));
        }
    }

    const Text changed = Decode(after);
    // (Text that is all ASCII reads the same in either 8-bit encoding.)
    const bool ascii = std::all_of(changed.body.begin(), changed.body.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const bool eightBit = text.encoding == Encoding::kUtf8 || text.encoding == Encoding::kGb18030;
    Check((changed.encoding == text.encoding || (eightBit && ascii)) && changed.mark == text.mark,
          "a change altered the file's encoding or byte order mark: " + Show(before) + " became " +
              Show(after));
    const std::vector<Line> newLines = SplitLines(changed.body);
    if (Readable(text)) {
        CheckLines(lines, newLines, target, write, value, after == before);
    } else {
        CheckShape(lines, newLines, write);
    }
    return 0;
}
