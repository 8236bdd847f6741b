#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Profile.h"
#include "core/SkinDescription.h"

namespace huebird {
namespace {

namespace fs = std::filesystem;

// A string literal with its zero bytes, without the terminating one.
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

// GB18030 bytes of the Chinese words used below, spelled out so that the tests do not depend
// on the converter they are checking.
#define GB_SETTINGS "\xC9\xE8\xD6\xC3"  // 设置
#define GB_NAME "\xC3\xFB\xD7\xD6"      // 名字
#define GB_CHINESE "\xD6\xD0\xCE\xC4"   // 中文
#define GB_COLOUR "\xD1\xD5\xC9\xAB"    // 颜色

// UTF-16 with its byte order mark, from UTF-8 text: the tests' own small encoder, so that they
// do not depend on the code they check.
std::string Utf16(std::string_view utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    auto unit = [&](unsigned u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        unsigned cp = n == 1 ? c : c & (0x7Fu >> n);
        for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(n);
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    }
    return out;
}

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "huebird-profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr) << std::strerror(errno);
        dir_ = tmpl;
    }
    void TearDown() override {
        // Tests make folders read-only; give them back so that everything can be removed.
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (const auto& e : fs::recursive_directory_iterator(dir_, ec)) {
            if (e.is_directory(ec) && !e.is_symlink(ec)) {
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
            }
        }
        fs::remove_all(dir_, ec);
    }

    fs::path Put(const std::string& name, std::string_view bytes) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), std::streamsize(bytes.size()));
        return p;
    }

    static std::string Bytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::vector<std::string> Entries(const fs::path& dir) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// ---------------------------------------------------------------------------------------------
// Reading

TEST_F(ProfileTest, ReadStringFollowsTheReadingRules) {
    struct Case {
        const char* what;
        std::optional<std::string> file;  // nullopt: no file at all
        std::string section, key, expected;
    };
    const std::string def = "<default>";
    const std::vector<Case> cases = {
        {"names ignore ASCII case", "[Colors]\nBack=1\n", "cOLORS", "bACK", "1"},
        {"blanks around [, names and value", " \t[ \tColors\t ]  \n \t Back \t= \t red  green \t\n",
         "Colors", "Back", "red  green"},
        {"text after ] ignored", "[Colors] trailing words\nBack=1\n", "Colors", "Back", "1"},
        {"double quotes removed, blanks inside kept", "[S]\nk= \"  a b  \" \n", "S", "k",
         "  a b  "},
        {"single quotes removed", "[S]\nk='x'\n", "S", "k", "x"},
        {"unmatched quotes stay", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        {"only one pair removed", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
        {"a lone quote stays", "[S]\nk=\"\n", "S", "k", "\""},
        {"; line is a comment", "[S]\n;k=1\n", "S", ";k", def},
        {"indented ; line is a comment", "[S]\n  ;k=1\nk=2\n", "S", "k", "2"},
        {"# is ordinary", "[S]\n#k=1\n", "S", "#k", "1"},
        {"no comment at end of line", "[S]\nk=v ;c\n", "S", "k", "v ;c"},
        {"line without = ignored", "[S]\nlonely\n", "S", "lonely", def},
        {"line without = does not hide the next", "[S]\nk\nk=2\n", "S", "k", "2"},
        {"empty value is not the default", "[S]\nk=\n", "S", "k", ""},
        {"= inside the value", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"first of two sections wins", "[S]\na=1\n[T]\n[s]\nb=2\n", "S", "b", def},
        {"first of two sections is read", "[S]\na=1\n[T]\n[s]\na=2\n", "S", "a", "1"},
        {"first of two keys wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"key before any section belongs to none", "k=v\n[S]\nx=1\n", "S", "k", def},
        {"other section not searched", "[S]\nk=v\n", "T", "k", def},
        {"CRLF", "[S]\r\nk=v\r\nn=w\r\n", "S", "k", "v"},
        {"CR alone", "[S]\rk=v\rn=w\r", "S", "n", "w"},
        {"no final line break", "[S]\nk=v", "S", "k", "v"},
        {"UTF-8 byte order mark skipped", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        {"UTF-8 text stays UTF-8", "[Farbe]\nGrün=中文\n", "Farbe", "Grün", "中文"},
        {"GB18030 text converted", "[" GB_SETTINGS "]\r\n" GB_NAME "=" GB_CHINESE "\r\n", "设置",
         "名字", "中文"},
        // E0 80 81 40 is 鄝丂 in GB18030, and UTF-8 only to a checker that allows overlong forms.
        {"GB18030 text that only loose UTF-8 would accept", "[S]\nk=\xE0\x80\x81\x40\n", "S", "k",
         "鄝丂"},
        // 0x81 0x5D is one GB18030 character whose second byte is ']'.
        {"GB18030 trail byte is not ]", "[\x81\x5D]\nk=v\n", "乚", "k", "v"},
        // 0x81 0x41 and 0x81 0x61 differ only in an ASCII-letter trail byte.
        {"GB18030 trail bytes do not fold case", "[S]\n\x81\x41=1\n\x81\x61=2\n", "S", "乤", "2"},
        // One Latin-1 byte (é as E9) left by a hand edit among UTF-8 names: still UTF-8.
        {"UTF-8 with a stray byte stays UTF-8", "[BookMarks]\n天空=87CEEB\ncaf\xE9=1\n",
         "BookMarks", "天空", "87CEEB"},
        {"UTF-8 with a stray byte: that key reads byte for byte",
         "[BookMarks]\n天空=87CEEB\ncaf\xE9=1\n", "BookMarks", "caf\xE9", "1"},
        {"GB18030 with a stray byte stays GB18030",
         "[" GB_SETTINGS "]\r\n" GB_NAME "=" GB_CHINESE "\r\nx=\x80\r\n", "设置", "名字", "中文"},
        {"empty file", "", "S", "k", def},
        {"missing file", std::nullopt, "S", "k", def},
    };
    for (const Case& c : cases) {
        fs::path p = dir_ / "read.ini";
        fs::remove(p);
        if (c.file) Put("read.ini", *c.file);
        EXPECT_EQ(Profile(p).ReadString(c.section, c.key, def), c.expected) << c.what;
    }
}

TEST_F(ProfileTest, ReadIntegerAcceptsDecimalAndHexOnly) {
    constexpr int def = -777;
    const std::vector<std::pair<std::string, int>> cases = {
        {"0x41", 65},
        {"0X1f", 31},
        {"-5", -5},
        {"+7", 7},
        {"  42  ", 42},
        {"\" 42 \"", 42},
        {"007", 7},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0x7FFFFFFF", INT_MAX},
        {"0xFFFFFFFF", -1},
        {"0x000000041", 65},
        {"", def},
        {"12abc", def},
        {"B42", def},
        {"0x", def},
        {"0x-1", def},
        {"0x+1", def},
        {"-0x10", def},
        {"+0x10", def},
        {"0x1g", def},
        {"2147483648", def},
        {"-2147483649", def},
        {"0x100000000", def},
        {"99999999999999999999", def},
        {"- 5", def},
        {"1 2", def},
        {"+", def},
        {"1.5", def},
    };
    for (const auto& [text, expected] : cases) {
        Profile p(Put("int.ini", "[S]\nk=" + text + "\n"));
        EXPECT_EQ(p.ReadInteger("s", "K", def), expected) << "value: " << text;
    }
    EXPECT_EQ(Profile(dir_ / "none.ini").ReadInteger("S", "k", def), def);
}

TEST_F(ProfileTest, ReadSectionKeysListsWholeNamesThatFit) {
    Profile p(Put("keys.ini",
                  "[Other]\nzeta=1\n"
                  "[Keys]\nalpha=1\n; gamma=3\n\nnoequals\nbeta=2\n  Gamma = 3\nalpha=dup\n"
                  "[More]\nomega=1\n[keys]\nlate=1\n"));
    using V = std::vector<std::string>;
    // alpha needs 6 bytes, beta 5, Gamma 6, alpha 6, and the list ends with one zero: 24.
    EXPECT_EQ(p.ReadSectionKeys("KEYS", 24), (V{"alpha", "beta", "Gamma", "alpha"}));
    EXPECT_EQ(p.ReadSectionKeys("KEYS", 4096), (V{"alpha", "beta", "Gamma", "alpha"}));
    EXPECT_EQ(p.ReadSectionKeys("Keys", 23), (V{"alpha", "beta", "Gamma"}));
    EXPECT_EQ(p.ReadSectionKeys("Keys", 18), (V{"alpha", "beta", "Gamma"}));
    EXPECT_EQ(p.ReadSectionKeys("Keys", 17), (V{"alpha", "beta"}));
    EXPECT_EQ(p.ReadSectionKeys("Keys", 7), (V{"alpha"}));
    EXPECT_EQ(p.ReadSectionKeys("Keys", 6), V{});
    EXPECT_EQ(p.ReadSectionKeys("Keys", 0), V{});
    EXPECT_EQ(p.ReadSectionKeys("Missing", 4096), V{});
    EXPECT_EQ(Profile(dir_ / "none.ini").ReadSectionKeys("Keys", 4096), V{});

    // Listing stops at the first name that does not fit, even if a later one would.
    Profile stop(Put("stop.ini", "[S]\nlongname=1\nb=2\n"));
    EXPECT_EQ(stop.ReadSectionKeys("S", 5), V{});

    // Sizes count the file's own bytes: 名字 is 4 bytes in GB18030 (6 in UTF-8).
    Profile gb(Put("gb.ini", "[S]\r\n" GB_NAME "=1\r\nx=2\r\n"));
    EXPECT_EQ(gb.ReadSectionKeys("S", 6), (V{"名字"}));
    EXPECT_EQ(gb.ReadSectionKeys("S", 8), (V{"名字", "x"}));
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST_F(ProfileTest, WritesChangeOnlyWhatTheyMust) {
    struct Case {
        const char* what;
        std::string before;
        std::string section, key;
        std::optional<std::string> value;  // nullopt: DeleteKey
        std::string after;
    };
    const std::vector<Case> cases = {
        {"replace in place keeps spelling, spacing, CRLF",
         "; top\r\n[Colors]\r\n  Back = old value  \r\nFore=1\r\n", "colors", "BACK", "new",
         "; top\r\n[Colors]\r\n  Back = new\r\nFore=1\r\n"},
        {"quoted old value replaced whole", "[S]\nk = \"old\"\n", "S", "k", "new",
         "[S]\nk = new\n"},
        {"new key after the last key line, before blanks, comments and stray lines",
         "[S]\na=1\n; mid\nb=2\n\n; note\nstray\n[T]\nx=1\n", "S", "c", "3",
         "[S]\na=1\n; mid\nb=2\nc=3\n\n; note\nstray\n[T]\nx=1\n"},
        {"section without keys gets the key after its header", "[S]\n\n[T]\nx=1\n", "s", "c", "3",
         "[S]\nc=3\n\n[T]\nx=1\n"},
        {"last line without a break gets one first", "[S]\r\na=1", "S", "c", "3",
         "[S]\r\na=1\r\nc=3\r\n"},
        {"new section at the end, no blank line", "[S]\na=1\n", "N", "k", "v",
         "[S]\na=1\n[N]\nk=v\n"},
        {"new section after an unterminated CRLF file", "[S]\r\na=1", "N", "k", "v",
         "[S]\r\na=1\r\n[N]\r\nk=v\r\n"},
        {"CR-only file stays CR-only", "[S]\ra=1\r", "S", "b", "2", "[S]\ra=1\rb=2\r"},
        {"mixed endings: replaced line keeps its own", "[S]\r\na=1\nb=2\r\n", "S", "a", "9",
         "[S]\r\na=9\nb=2\r\n"},
        {"mixed endings: new line takes the break of the line it follows",
         "[S]\r\na=1\nb=2\n[T]\r\n", "S", "c", "3", "[S]\r\na=1\nb=2\nc=3\n[T]\r\n"},
        {"only the first of two sections is written", "[S]\na=1\n[T]\n[s]\nb=1\n", "S", "b", "2",
         "[S]\na=1\nb=2\n[T]\n[s]\nb=1\n"},
        {"empty file", "", "S", "k", "v", "[S]\nk=v\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[S]\r\na=1\r\n", "S", "a", "2",
         "\xEF\xBB\xBF[S]\r\na=2\r\n"},
        {"file holding only a byte order mark", "\xEF\xBB\xBF", "S", "k", "v",
         "\xEF\xBB\xBF[S]\nk=v\n"},
        {"empty value", "[S]\na=1\n", "S", "a", "", "[S]\na=\n"},
        {"value that reading would trim is quoted", "[S]\na=1\n", "S", "a", " padded ",
         "[S]\na=\" padded \"\n"},
        {"value that reading would unquote is quoted", "[S]\na=1\n", "S", "a", "'q'",
         "[S]\na=\"'q'\"\n"},
        {"UTF-8 file gets UTF-8", "[S]\nk=ä\n", "S", "n", "中文", "[S]\nk=ä\nn=中文\n"},
        {"UTF-8 file with a stray byte gets UTF-8, the byte kept",
         "[BookMarks]\n天空=87CEEB\ncaf\xE9=1\n", "BookMarks", "海洋", "006994",
         "[BookMarks]\n天空=87CEEB\ncaf\xE9=1\n海洋=006994\n"},
        {"GB18030 file: value replaced in GB18030",
         "; " GB_CHINESE "\r\n[" GB_SETTINGS "]\r\n" GB_NAME "=" GB_CHINESE "\r\n", "设置", "名字",
         "颜色", "; " GB_CHINESE "\r\n[" GB_SETTINGS "]\r\n" GB_NAME "=" GB_COLOUR "\r\n"},
        {"GB18030 file: new key and section in GB18030", "[S]\r\nk=" GB_CHINESE "\r\n", "设置",
         "名字", "颜色",
         "[S]\r\nk=" GB_CHINESE "\r\n[" GB_SETTINGS "]\r\n" GB_NAME "=" GB_COLOUR "\r\n"},
        {"delete removes the line, the header stays", "[S]\na=1\n[T]\nx=1\n", "S", "A",
         std::nullopt, "[S]\n[T]\nx=1\n"},
        {"delete removes every copy in the first section", "[S]\nk=1\nj=0\nK=2\n[S]\nk=3\n", "S",
         "k", std::nullopt, "[S]\nj=0\n[S]\nk=3\n"},
        {"delete keeps CRLF of the rest", "[S]\r\na=1\r\nb=2\r\n", "S", "b", std::nullopt,
         "[S]\r\na=1\r\n"},
        {"deleting a missing key changes nothing", "[S]\na=1\n", "S", "zz", std::nullopt,
         "[S]\na=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Profile p(Put("write.ini", c.before));
        WriteResult r =
            c.value ? p.WriteString(c.section, c.key, *c.value) : p.DeleteKey(c.section, c.key);
        EXPECT_TRUE(r.ok) << r.message;
        EXPECT_EQ(Bytes(p.path()), c.after);
        EXPECT_EQ(p.ReadString(c.section, c.key, "<gone>"), c.value.value_or("<gone>"));
    }
}

// A batch gives exactly the bytes its entries would give written one by one.
TEST_F(ProfileTest, BatchWritesGiveWhatSingleWritesGive) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"SkinName", "PEBBLE"}, {"AlwaysTop", "1"}, {"Top", "200"},
        {"Left", "-3"},         {"颜色", "中文"},   {"Quoted", " padded "},
        {"skinname", "again"},  {"Top", "200"},     {"Empty", ""},
    };
    const std::vector<std::pair<const char*, std::string>> files = {
        {"existing keys, CRLF",
         "; mine\r\n[System]\r\nskinName = old\r\nTop=10\r\n"
         "[BookMarks]\r\nsky=1\r\n"},
        {"every key there already",
         "[System]\nSkinName=again\nAlwaysTop=1\nTop=200\nLeft=-3\n"
         "颜色=中文\nQuoted=\" padded \"\nEmpty=\n"},
        {"empty section before another", "[System]\n\n[Other]\nx=1\n"},
        {"missing section", "[Other]\r\nx=1\r\n"},
        {"mixed endings, no final break", "[System]\rTop=1\r\n[T]\nx=2"},
        {"last line without a break", "[System]\nTop=1"},
        {"empty file", ""},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[System]\r\nTop=1\r\n"},
        {"two sections of the name", "[System]\nTop=1\n[x]\n[SYSTEM]\nLeft=4\n"},
        {"GB18030", "; " GB_CHINESE "\r\n[System]\r\n" GB_COLOUR "=" GB_CHINESE "\r\n"},
        {"GB18030 with the section missing", "[" GB_SETTINGS "]\r\n" GB_NAME "=1\r\n"},
        {"UTF-16LE", Utf16("; 注\r\n[System]\r\nTop=1\r\n", false)},
        {"UTF-16BE", Utf16("[Other]\rx=😀\r", true)},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        Profile single(Put("single.ini", bytes));
        for (const auto& [key, value] : entries) {
            WriteResult r = single.WriteString("System", key, value);
            ASSERT_TRUE(r.ok) << r.message;
        }
        Profile batch(Put("batch.ini", bytes));
        WriteResult r = batch.WriteStrings("System", entries);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(Bytes(batch.path()), Bytes(single.path()));
    }
}

// When one entry cannot be written, none is: the file stays as it was.
TEST_F(ProfileTest, BatchThatFailsWritesNothing) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::pair<std::string, std::string>> entries;
        std::string named;  // what the message must name besides the file
    };
    const std::vector<Case> cases = {
        {"a key the format cannot hold",
         "[S]\na=1\n",
         {{"a", "2"}, {"b=c", "3"}, {"d", "4"}},
         "b=c"},
        {"a value the format cannot hold", "[S]\na=1\n", {{"a", "2"}, {"b", "x\ny"}}, "\"b\""},
        // Once b is gone the file's only non-ASCII text, D0 A1, would read as UTF-8.
        {"a GB18030 file that would turn into UTF-8",
         "[S]\na=\xD0\xA1\nb=" GB_CHINESE "\n",
         {{"c", "1"}, {"b", "x"}, {"d", "2"}},
         "GB18030"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::path path = Put("fail.ini", c.file);
        WriteResult r = Profile(path).WriteStrings("S", c.entries);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(c.named), std::string::npos) << r.message;
        EXPECT_EQ(Bytes(path), c.file);
        // Nothing beside the file but, once a write got as far as locking, its lock file.
        std::vector<std::string> entries = Entries(dir_);
        std::erase(entries, ".fail.ini.lock");
        EXPECT_EQ(entries, std::vector<std::string>{"fail.ini"});
    }
}

TEST_F(ProfileTest, NoWriteWhenNothingChanges) {
    fs::path path = Put("same.ini", "[S]\r\nKey = \"same\"   \r\n");
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    Profile p(path);
    EXPECT_TRUE(p.WriteString("s", "KEY", "same").ok);
    EXPECT_TRUE(p.DeleteKey("S", "absent").ok);
    EXPECT_TRUE(p.DeleteKey("NoSuchSection", "Key").ok);
    EXPECT_TRUE(p.WriteStrings("s", {{"KEY", "same"}, {"key", "same"}}).ok);

    // Changed and changed back within one batch: the bytes end as they were.
    fs::path back = Put("back.ini", "[S]\nk=v\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, back.c_str(), old, 0), 0);
    struct stat backBefore {};
    ASSERT_EQ(::stat(back.c_str(), &backBefore), 0);
    EXPECT_TRUE(Profile(back).WriteStrings("S", {{"K", "w"}, {"k", "v"}}).ok);

    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(Bytes(path), "[S]\r\nKey = \"same\"   \r\n");
    ASSERT_EQ(::stat(back.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, backBefore.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, backBefore.st_mtim.tv_sec);
}

TEST_F(ProfileTest, MissingFileIsNeverCreated) {
    ASSERT_EQ(::symlink("absent-target.ini", (dir_ / "dangling.ini").c_str()), 0);
    Put("plain", "not a folder");
    for (fs::path path : {dir_ / "absent.ini", dir_ / "dangling.ini", dir_ / "plain" / "x.ini"}) {
        Profile p(path);
        EXPECT_FALSE(p.Exists());
        for (WriteResult r : {p.WriteString("S", "k", "v"), p.DeleteKey("S", "k")}) {
            EXPECT_FALSE(r.ok) << path;
            EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
            EXPECT_NE(r.message.find("does not exist"), std::string::npos) << r.message;
        }
    }
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"dangling.ini", "plain"}));
}

TEST_F(ProfileTest, RefusesWhatTheFormatCannotHold) {
    struct Case {
        std::string section, key, value;
        std::string shown;  // how the offending name appears in the message
    };
    const std::vector<Case> cases = {
        {"S", "", "v", "\"\""},
        {"S", "a=b", "v", "a=b"},
        {"S", "a\nb", "v", "a\\nb"},
        {"S", "a\rb", "v", "a\\rb"},
        {"S", std::string("a\0b", 3), "v", "a\\0b"},
        {"S", ";a", "v", ";a"},
        {"S", "[a", "v", "[a"},
        {"S", " a", "v", "\" a\""},
        {"S", "a\t", "v", "\"a\t\""},
        {"S", "k", "x\ny", "\"k\""},
        {"S", "k", "x\r", "\"k\""},
        {"S", "k", "\xFF", "\"k\""},
        {"a]b", "k", "v", "a]b"},
        {"a\nb", "k", "v", "a\\nb"},
        {" S", "k", "v", "\" S\""},
    };
    const std::string original = "[S]\na=1\nk=2\n";
    fs::path path = Put("refuse.ini", original);
    Profile p(path);
    for (const Case& c : cases) {
        SCOPED_TRACE("section \"" + c.section + "\" key \"" + c.key + "\"");
        WriteResult r = p.WriteString(c.section, c.key, c.value);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(c.shown), std::string::npos) << r.message;
    }
    EXPECT_FALSE(p.DeleteKey("S", "a=b").ok);
    EXPECT_FALSE(p.DeleteKey("a]b", "k").ok);
    EXPECT_EQ(Bytes(path), original);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"refuse.ini"});
}

// ---------------------------------------------------------------------------------------------
// Safe replacement

TEST_F(ProfileTest, ReplacementKeepsLinkAndPermissions) {
    fs::create_directory(dir_ / "real");
    fs::path real = Put("real/skin.ini", "[S]\na=1\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real/skin.ini", (dir_ / "link.ini").c_str()), 0);

    Profile p(dir_ / "link.ini");
    WriteResult r = p.WriteString("S", "a", "2");
    ASSERT_TRUE(r.ok) << r.message;

    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
    EXPECT_EQ(fs::read_symlink(dir_ / "link.ini"), "real/skin.ini");
    EXPECT_EQ(Bytes(real), "[S]\na=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // No temporary file is left; the lock file is beside the real file, where it is shared by
    // every path to it.
    EXPECT_EQ(Entries(dir_ / "real"), (std::vector<std::string>{".skin.ini.lock", "skin.ini"}));
    EXPECT_FALSE(fs::exists(dir_ / ".link.ini.lock"));
}

// A killed writer can leave its temporary file behind; the next write removes it, and only
// files that are exactly ours and that no living writer holds.
TEST_F(ProfileTest, WritesRemoveOnlyOrphanedTemporaryFilesOfTheirOwn) {
    Profile p(Put("f.ini", "[S]\na=1\n"));
    const std::vector<std::string> orphans = {".f.ini.tmp-12-3-abc", ".f.ini.tmp-999999-0-0"};
    for (const std::string& name : orphans) Put(name, "half a file");
    const std::vector<std::string> strangers = {
        ".f.ini.tmp-12-3-ABC", ".f.ini.tmp-12-3",     ".f.ini.tmp-12-3-abc.bak",
        ".f.ini.tmp--3-abc",   "f.ini.tmp-12-3-abc",  ".g.ini.tmp-12-3-abc",
        ".f.ini.tmp-x-3-abc",  ".F.INI.tmp-12-3-abc", "victim",
    };
    for (const std::string& name : strangers) Put(name, "keep me");
    // A link with our name is not followed, and a folder with our name is not a file of ours.
    ASSERT_EQ(::symlink("victim", (dir_ / ".f.ini.tmp-7-7-7").c_str()), 0);
    fs::create_directory(dir_ / ".f.ini.tmp-8-8-8");
    // A writer that is still at work holds a lock on its file.
    fs::path live = Put(".f.ini.tmp-5-5-5", "in progress");
    int held = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    for (bool unnamed : {true, false}) {
        SetUnnamedTemporaryFiles(unnamed);
        WriteResult r = p.WriteString("S", "a", unnamed ? "2" : "3");
        EXPECT_TRUE(r.ok) << r.message;
        std::vector<std::string> expected = strangers;
        expected.insert(expected.end(), {"f.ini", ".f.ini.lock", ".f.ini.tmp-7-7-7",
                                         ".f.ini.tmp-8-8-8", ".f.ini.tmp-5-5-5"});
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Entries(dir_), expected);
    }
    SetUnnamedTemporaryFiles(true);
    for (const std::string& name : strangers) EXPECT_EQ(Bytes(dir_ / name), "keep me") << name;
    EXPECT_EQ(Bytes(live), "in progress");

    // Once its writer is gone, the next write removes it.
    ::close(held);
    ASSERT_TRUE(p.WriteString("S", "a", "4").ok);
    EXPECT_FALSE(fs::exists(live));
}

// Two processes writing the same file at once: neither may take the other's temporary file
// for an orphan. (Each write is whole; which one lands last is theirs to race.)
TEST_F(ProfileTest, TwoWritersNeverRemoveEachOthersTemporaryFiles) {
    fs::path path = Put("shared.ini", "[S]\na=0\nb=0\n");
    for (bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed temporary files" : "named temporary files");
        SetUnnamedTemporaryFiles(unnamed);
        pid_t writers[2];
        for (int w = 0; w < 2; ++w) {
            writers[w] = ::fork();
            ASSERT_GE(writers[w], 0);
            if (writers[w] == 0) {
                int failed = 0;
                for (int i = 0; i < 300; ++i) {
                    if (!Profile(path).WriteString("S", w == 0 ? "a" : "b", std::to_string(i))) {
                        ++failed;
                    }
                }
                ::_exit(std::min(failed, 100));
            }
        }
        for (pid_t writer : writers) {
            int status = 0;
            ASSERT_EQ(::waitpid(writer, &status, 0), writer);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0) << "writes that failed";
        }
        EXPECT_EQ(Entries(dir_), (std::vector<std::string>{".shared.ini.lock", "shared.ini"}));
    }
    SetUnnamedTemporaryFiles(true);
}

// Two processes writing different keys of one file at once: every write that reports success
// is in the file afterwards, and nothing that reported failure is.
TEST_F(ProfileTest, TwoWritersAtOnceLoseNothing) {
    fs::path path = Put("both.ini", "[S]\nfirst=1\n");
    constexpr int kKeys = 300;
    auto KeyOf = [](int writer, const std::string& index) {
        return std::string(writer == 0 ? "w0-" : "w1-").append(index);
    };
    pid_t writers[2];
    int reports[2];
    for (int w = 0; w < 2; ++w) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            ::close(fds[0]);
            // One line a write: its index, then "ok" or the message.
            std::string out;
            for (int i = 0; i < kKeys; ++i) {
                WriteResult r =
                    Profile(path).WriteString("S", KeyOf(w, std::to_string(i)), std::to_string(i));
                out += std::to_string(i) + " " + (r.ok ? "ok" : r.message) + "\n";
            }
            const bool sent = WriteAll(fds[1], out);
            ::_exit(sent ? 0 : 1);
        }
        ::close(fds[1]);
        reports[w] = fds[0];
    }
    for (int w = 0; w < 2; ++w) {
        std::string report;
        char buf[4096];
        for (ssize_t n; (n = ::read(reports[w], buf, sizeof buf)) > 0;) report.append(buf, n);
        ::close(reports[w]);
        int status = 0;
        ASSERT_EQ(::waitpid(writers[w], &status, 0), writers[w]);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        std::istringstream lines(report);
        std::string line;
        int seen = 0;
        while (std::getline(lines, line)) {
            const std::string index = line.substr(0, line.find(' '));
            const std::string outcome = line.substr(index.size() + 1);
            const std::string key = KeyOf(w, index);
            // A few seconds' wait for the other writer's single write is always enough here.
            EXPECT_EQ(outcome, "ok") << key;
            EXPECT_EQ(Profile(path).ReadString("S", key, "<lost>"),
                      outcome == "ok" ? index : "<lost>")
                << key << ": " << outcome;
            ++seen;
        }
        EXPECT_EQ(seen, kKeys) << "writer " << w << " reported only part of its writes";
    }
    EXPECT_EQ(Profile(path).ReadString("S", "first", ""), "1");
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{".both.ini.lock", "both.ini"}));
}

// The lock file beside the file: a writer waits a bounded time for another and then fails
// clearly; a lock left by a killed writer, or a lock file without a holder, blocks nothing;
// a link in the lock file's place is never followed.
TEST_F(ProfileTest, WritersTakeTurnsThroughTheLockFileBesideTheFile) {
    SetWriteLockWait(std::chrono::milliseconds(300));
    const std::string original = "[S]\na=1\n";
    fs::path path = Put("f.ini", original);
    const fs::path lockFile = dir_ / ".f.ini.lock";
    auto refused = [&](const char* what) {
        SCOPED_TRACE(what);
        const auto start = std::chrono::steady_clock::now();
        WriteResult r = Profile(path).WriteString("S", "a", "2");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(lockFile.string()), std::string::npos) << r.message;
        EXPECT_EQ(Bytes(path), original);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        return r.message;
    };

    // Held by a writer in this process (locks belong to open files, so this contends too).
    int held = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_NE(refused("held here").find("300 ms"), std::string::npos);
    ::close(held);  // the lock file stays, without a holder
    ASSERT_TRUE(Profile(path).WriteString("S", "a", "3").ok);
    EXPECT_EQ(Bytes(path), "[S]\na=3\n");
    ASSERT_TRUE(Profile(path).WriteString("S", "a", "1").ok);

    // Held by another process that is then killed: the kernel lets go of its lock.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        for (;;) ::pause();
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    refused("held by another process");
    ::kill(holder, SIGKILL);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    ASSERT_TRUE(Profile(path).WriteString("S", "a", "4").ok);
    EXPECT_EQ(Bytes(path), "[S]\na=4\n");

    // A link in the lock file's place: refused, and what it points to is never made.
    fs::remove(lockFile);
    ASSERT_EQ(::symlink("victim", lockFile.c_str()), 0);
    WriteResult r = Profile(path).WriteString("S", "a", "5");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(lockFile.string()), std::string::npos) << r.message;
    EXPECT_FALSE(fs::exists(dir_ / "victim"));
    EXPECT_EQ(Bytes(path), "[S]\na=4\n");
    SetWriteLockWait(std::chrono::milliseconds(5000));
}

// The output of a command, or nothing when it fails.
std::optional<std::string> Output(const std::string& command) {
    FILE* p = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (p == nullptr) return std::nullopt;
    std::string out;
    char buf[512];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    return ::pclose(p) == 0 ? std::optional(out) : std::nullopt;
}

// An access control list is part of a file's permissions: a save keeps it as it was, and does
// not add the one the folder gives new files.
TEST_F(ProfileTest, ReplacementKeepsTheAccessControlList) {
    struct Case {
        const char* what;
        std::string folderAcl;  // setfacl arguments for the folder, if any
        std::string fileAcl;    // and for the file
        std::string kept;       // an entry getfacl must still show
    };
    const Case cases[] = {
        {"an entry for another user", "", "-m u:nobody:rw", "user:nobody:rw-"},
        {"a folder default the file was stripped of", "-d -m u:nobody:r", "-b", "other::---"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::path dir = dir_ / "acl";
        fs::remove_all(dir);
        fs::create_directory(dir);
        if (!c.folderAcl.empty() && !Output("setfacl " + c.folderAcl + " '" + dir.string() + "'")) {
            GTEST_SKIP() << "no access control lists on " << dir_ << " (setfacl fails)";
        }
        fs::path file = dir / "skin.ini";
        std::ofstream(file) << "[S]\na=1\n";
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        if (!Output("setfacl " + c.fileAcl + " '" + file.string() + "'")) {
            GTEST_SKIP() << "no access control lists on " << dir_ << " (setfacl fails)";
        }
        const std::optional<std::string> before = Output("getfacl -c '" + file.string() + "'");
        ASSERT_TRUE(before);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        const mode_t mode = st.st_mode & 07777;

        ASSERT_TRUE(Profile(file).WriteString("S", "a", "2").ok);
        EXPECT_EQ(Bytes(file), "[S]\na=2\n");
        EXPECT_EQ(Output("getfacl -c '" + file.string() + "'"), before);
        EXPECT_NE(before->find(c.kept), std::string::npos) << *before;
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

// The replacement keeps the file's own extended attributes and its owner; a writer that may
// not give the new file its owner refuses and changes nothing.
TEST_F(ProfileTest, ReplacementKeepsOwnerAndAttributesOrChangesNothing) {
    fs::path file = Put("palora.ini", "[S]\na=1\n");
    if (::setxattr(file.c_str(), "user.huebird.note", "kept", 4, 0) == 0) {
        ASSERT_TRUE(Profile(file).WriteString("S", "a", "2").ok);
        char value[16] = {};
        EXPECT_EQ(::getxattr(file.c_str(), "user.huebird.note", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    } else {
        std::cout << "skipped: user attributes are not supported on " << dir_ << "\n";
    }

    if (::geteuid() != 0) GTEST_SKIP() << "giving files to other users needs root";
    constexpr uid_t kOther = 4242;
    constexpr gid_t kOtherGroup = 4343;
    ASSERT_EQ(::chown(file.c_str(), kOther, kOtherGroup), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    ASSERT_TRUE(Profile(file).WriteString("S", "a", "3").ok);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kOther);
    EXPECT_EQ(st.st_gid, kOtherGroup);
    EXPECT_EQ(st.st_mode & 07777, 0666u);

    // A plain user that may write the file but not give it away.
    ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
    const std::string before = Bytes(file);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        WriteResult r = Profile(file).WriteString("S", "a", "4");
        ::_exit(!r.ok && r.message.find("owner") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not refuse";
    EXPECT_EQ(Bytes(file), before);
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kOther);
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{".palora.ini.lock", "palora.ini"}));
}

TEST_F(ProfileTest, ReadOnlyFileOrFolderFailsAndKeepsTheOriginal) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root: permission bits do not stop root's writes "
                        "(FailedWriteLeavesTheOriginalWhole covers the failure path)";
    }
    const std::string original = "[S]\na=1\n";
    fs::path file = Put("ro.ini", original);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    WriteResult r = Profile(file).WriteString("S", "a", "2");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(std::strerror(EACCES)), std::string::npos) << r.message;
    EXPECT_EQ(Bytes(file), original);

    fs::create_directory(dir_ / "ro");
    fs::path inside = Put("ro/in.ini", original);
    ASSERT_EQ(::chmod((dir_ / "ro").c_str(), 0555), 0);
    r = Profile(inside).DeleteKey("S", "a");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(inside.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(std::strerror(EACCES)), std::string::npos) << r.message;
    EXPECT_EQ(Bytes(inside), original);
    EXPECT_EQ(Entries(dir_ / "ro"), std::vector<std::string>{"in.ini"});
}

// A file-size limit makes write() fail part way, for root too: the half-written temporary
// file must go and the original must stay as it was.
TEST_F(ProfileTest, FailedWriteLeavesTheOriginalWhole) {
    const std::string original = "[S]\na=" + std::string(8000, 'x') + "\n";
    fs::path path = Put("big.ini", original);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    WriteResult r = Profile(path).WriteString("S", "b", "2");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(std::strerror(EFBIG)), std::string::npos) << r.message;
    EXPECT_EQ(Bytes(path), original);
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{".big.ini.lock", "big.ini"}));
}

TEST_F(ProfileTest, FilesOverTheSizeLimitAreRefused) {
    const std::string start = "[S]\nk=v\n";
    fs::path path = Put("huge.ini", start);
    Profile p(path);

    fs::resize_file(path, Profile::kMaxFileSize);
    EXPECT_EQ(p.ReadString("S", "k", "def"), "v");  // exactly at the limit still reads

    fs::resize_file(path, Profile::kMaxFileSize + 1);
    EXPECT_EQ(p.ReadString("S", "k", "def"), "def");
    EXPECT_EQ(p.ReadInteger("S", "k", 7), 7);
    EXPECT_TRUE(p.ReadSectionKeys("S", 4096).empty());
    WriteResult r = p.WriteString("S", "k", "w");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("too large"), std::string::npos) << r.message;
    EXPECT_EQ(fs::file_size(path), Profile::kMaxFileSize + 1);
}

// A GB18030 file is known by not being UTF-8. A change that would leave it valid UTF-8 with
// non-ASCII text (小 is D0 A1 in GB18030, which is also the UTF-8 of a Cyrillic letter) would
// change what every remaining value reads as, so it is refused.
TEST_F(ProfileTest, GbFileIsNotTurnedIntoUtf8ByAnEdit) {
    const std::string original = "[S]\na=\xD0\xA1\nb=" GB_CHINESE "\n";
    fs::path path = Put("gb.ini", original);
    Profile p(path);
    ASSERT_EQ(p.ReadString("S", "a", ""), "小");
    WriteResult r = p.DeleteKey("S", "b");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
    EXPECT_EQ(Bytes(path), original);
    EXPECT_EQ(p.ReadString("S", "a", ""), "小");
}

// ---------------------------------------------------------------------------------------------
// UTF-16 files (saved as "Unicode" on the desktop the format comes from)

TEST_F(ProfileTest, Utf16FilesReadLikeAnyOther) {
    using V = std::vector<std::string>;
    const std::string text =
        "; 注释\r\n[设置]\r\n名字 = 中文\r\nEmoji=😀\r\n;x=1\r\n"
        "[S]\r\nk=\"v\"\r\nn=0x41\r\n";
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "UTF-16BE" : "UTF-16LE");
        Profile p(Put("u16.ini", Utf16(text, big)));
        EXPECT_EQ(p.ReadString("设置", "名字", "def"), "中文");
        EXPECT_EQ(p.ReadString("设置", "EMOJI", "def"), "😀");
        EXPECT_EQ(p.ReadString("s", "K", "def"), "v");
        EXPECT_EQ(p.ReadString("S", "x", "def"), "def");
        EXPECT_EQ(p.ReadInteger("S", "n", 0), 65);
        // Names count as they are handed out (UTF-8): 名字 with its zero takes 7
        // bytes, Emoji 6, the final zero 1.
        EXPECT_EQ(p.ReadSectionKeys("设置", 14), (V{"名字", "Emoji"}));
        EXPECT_EQ(p.ReadSectionKeys("设置", 13), (V{"名字"}));

        // skin.ini is read through the same layer.
        const Profile skin(
            Put("skin.ini", Utf16("[Main]\r\nSkinDesigner=小王\r\nBackground=b.bmp\r\n", big)));
        EXPECT_EQ(ReadSkinMain(skin).designer, "小王");
        EXPECT_EQ(ReadSkinMain(skin).background, "b.bmp");
    }
}

TEST_F(ProfileTest, Utf16FilesAreWrittenBackInTheirOwnEncoding) {
    struct Case {
        const char* what;
        std::string before;
        std::string section, key;
        std::optional<std::string> value;  // nullopt: DeleteKey
        std::string after;
    };
    const std::vector<Case> cases = {
        {"replace in place keeps spelling, spacing and CRLF",
         "; 注释\r\n[设置]\r\n  名字 = 旧 \r\nx=1\r\n", "设置", "名字", "新",
         "; 注释\r\n[设置]\r\n  名字 = 新\r\nx=1\r\n"},
        {"new key after the last key line", "[S]\r\na=1\r\n\r\n[T]\r\n", "S", "b", "😀",
         "[S]\r\na=1\r\nb=😀\r\n\r\n[T]\r\n"},
        {"new section after a last line without a break", "[S]\na=1", "名", "k", "中",
         "[S]\na=1\n[名]\nk=中\n"},
        {"CR-only file stays CR-only", "[S]\ra=1\r", "S", "b", "2", "[S]\ra=1\rb=2\r"},
        {"delete", "[S]\r\na=1\r\nb=2\r\n", "S", "A", std::nullopt, "[S]\r\nb=2\r\n"},
        {"file holding only the byte order mark", "", "S", "k", "v", "[S]\nk=v\n"},
    };
    for (bool big : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(big ? "UTF-16BE: " : "UTF-16LE: ") + c.what);
            Profile p(Put("u16.ini", Utf16(c.before, big)));
            WriteResult r =
                c.value ? p.WriteString(c.section, c.key, *c.value) : p.DeleteKey(c.section, c.key);
            EXPECT_TRUE(r.ok) << r.message;
            EXPECT_EQ(Bytes(p.path()), Utf16(c.after, big));
            EXPECT_EQ(p.ReadString(c.section, c.key, "<gone>"), c.value.value_or("<gone>"));
        }
    }
}

// A UTF-16 file that cannot be decoded is left alone: nothing in it can be trusted.
TEST_F(ProfileTest, MalformedUtf16FilesReadAsEmptyAndAreNotWritten) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"odd byte count", BYTES("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0\n\0x")},
        {"unpaired high surrogate", BYTES("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8v\0\n\0")},
        {"unpaired low surrogate", BYTES("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xDCv\0\n\0")},
        {"high surrogate at the end", BYTES("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0\x3D\xD8")},
        {"big-endian, low before high", BYTES("\xFE\xFF\0[\0S\0]\0\n\0k\0=\xDC\x00\xD8\x00\0\n")},
        {"byte order mark and one byte", BYTES("\xFF\xFE\x41")},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        fs::path path = Put("bad.ini", bytes);
        Profile p(path);
        EXPECT_EQ(p.ReadString("S", "k", "def"), "def");
        EXPECT_EQ(p.ReadInteger("S", "k", 7), 7);
        EXPECT_TRUE(p.ReadSectionKeys("S", 4096).empty());
        for (WriteResult r :
             {p.WriteString("S", "k", "w"), p.WriteString("N", "k", "w"), p.DeleteKey("S", "k")}) {
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.message.find(path.string()), std::string::npos) << r.message;
            EXPECT_NE(r.message.find("UTF-16"), std::string::npos) << r.message;
        }
        EXPECT_EQ(Bytes(path), bytes);
        EXPECT_EQ(Entries(dir_), (std::vector<std::string>{".bad.ini.lock", "bad.ini"}));
    }
}

// ---------------------------------------------------------------------------------------------
// Garbage

TEST_F(ProfileTest, GarbageNeverBreaksReadsOrWrites) {
    // Zero bytes are ordinary characters: lines around them still parse.
    Profile nul(Put("nul.ini", BYTES("[S]\0junk\nk\0=1\nk=2\n\0\0\n")));
    EXPECT_EQ(nul.ReadString("S", "k", "def"), "2");

    // Random bytes, biased towards the characters the format cares about. Whatever the file
    // holds, a write that succeeds must read back, a delete must remove, and a refused change
    // must leave the file as it was.
    const std::string alphabet = BYTES("[]=;\"' \t\r\n\r\nSsKk\x81\x5D\xD6\xD0\xFF\xEF\xBB\xBF\0");
    const std::vector<std::string> sections = {"S", "设置", "[odd"};
    const std::vector<std::string> keys = {"k", "K2", "名字", "#h"};
    const std::vector<std::string> values = {"v", "", " a ", "\"q\"", "中文", "😀", "x=y;z"};
    std::mt19937 rng(20240611);
    auto pick = [&](const auto& v) { return v[rng() % v.size()]; };
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        std::size_t n = rng() % 600;
        for (std::size_t i = 0; i < n; ++i) {
            bytes += (rng() % 3 == 0) ? static_cast<char>(rng() & 0xFF) : pick(alphabet);
        }
        if (round % 4 == 0) bytes += "\n[S]\nk=tail\n";
        Profile p(Put("garbage.ini", bytes));
        SCOPED_TRACE("round " + std::to_string(round));

        for (const auto& s : sections) {
            (void)p.ReadString(s, "k", "");
            (void)p.ReadInteger(s, "k", 0);
            for (std::size_t size : {0u, 1u, 5u, 64u, 100000u}) (void)p.ReadSectionKeys(s, size);
        }
        if (round % 4 == 0) {
            EXPECT_EQ(p.ReadString("S", "k", "def"), "tail");
        }

        const std::string section = pick(sections), key = pick(keys), value = pick(values);
        std::string before = Bytes(p.path());
        WriteResult w = p.WriteString(section, key, value);
        if (w.ok) {
            EXPECT_EQ(p.ReadString(section, key, "<none>"), value);
        } else {
            EXPECT_EQ(Bytes(p.path()), before) << w.message;
        }
        before = Bytes(p.path());
        WriteResult d = p.DeleteKey(section, key);
        if (d.ok) {
            EXPECT_EQ(p.ReadString(section, key, "<none>"), "<none>");
        } else {
            EXPECT_EQ(Bytes(p.path()), before) << d.message;
        }
    }
    EXPECT_EQ(Entries(dir_),
              (std::vector<std::string>{".garbage.ini.lock", "garbage.ini", "nul.ini"}));
}

}  // namespace
}  // namespace huebird
