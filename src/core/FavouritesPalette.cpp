#include "core/FavouritesPalette.h"

#include <map>
#include <set>

#include "core/FavouritesEdit.h"
#include "core/Text.h"

namespace huebird {

namespace {

// A rename notice lists this many names; the rest are counted.
constexpr std::size_t kRenamesListed = 10;

// The name as the settings file compares keys: ASCII letters in one case.
std::string KeyOf(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

// The well-formed UTF-8 of `text`; any other byte goes.
std::string WellFormed(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        for (std::size_t n = 1; n <= 4 && i + n <= text.size(); ++n) {
            if (IsValidUtf8(text.substr(i, n))) {
                length = n;
                break;
            }
        }
        if (length) out.append(text.substr(i, length));
        i += length ? length : 1;
    }
    return out;
}

// At most `bytes` bytes of a UTF-8 text, never half a character, no blanks at the end.
std::string CutTo(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return std::string(text);
    return TrimBlanks(Utf8PrefixView(text, bytes));
}

std::string CodeName(ColorValue color) {
    std::string name = "#";
    name += ColorToHex(color);
    return name;
}

const char* ReasonText(RenameReason reason) {
    switch (reason) {
        case RenameReason::kCannotHold:
            return HB_TR_NOOP("huebird::MarksForm",
                              "收藏夹文件不能保存原名称（含“=”或换行，或以“;”“[”开头）");
        case RenameReason::kEmpty:
            return HB_TR_NOOP("huebird::MarksForm", "文件中没有名称");
        case RenameReason::kTooLong:
            return HB_TR_NOOP("huebird::MarksForm", "名称太长");
        case RenameReason::kTaken:
            return HB_TR_NOOP("huebird::MarksForm", "该名称已用于其它颜色");
    }
    return "";
}

std::string Join(const std::vector<std::string>& names, std::string_view separator) {
    std::string out;
    for (const std::string& name : names) {
        if (!out.empty()) out += separator;
        out += name;
    }
    return out;
}

}  // namespace

FavouritesOut CollectFavourites(const FavouritesStore& store, int list) {
    FavouritesOut out;
    for (std::string& name : store.Names(list)) {
        if (auto color = store.ClickColor(list, name)) {
            out.entries.push_back({std::move(name), *color});
        } else {
            out.noColour.push_back(std::move(name));
        }
    }
    return out;
}

std::string StorableName(std::string_view name, ColorValue color,
                         std::optional<RenameReason>& why) {
    why.reset();
    std::string safe;
    for (char c : WellFormed(name)) {
        if (c == '\0') continue;
        safe += c == '=' ? '-' : (c == '\r' || c == '\n') ? ' ' : c;
    }
    safe = TrimBlanks(safe);
    if (!safe.empty() && (safe.front() == ';' || safe.front() == '[')) {
        std::string prefixed = "_";
        prefixed += safe;
        safe = std::move(prefixed);
    }
    if (safe != name) why = RenameReason::kCannotHold;
    if (safe.size() > kMaxImportedNameBytes) {
        safe = CutTo(safe, kMaxImportedNameBytes);
        why = RenameReason::kTooLong;
    }
    if (safe.empty() || FavouriteNameProblem(safe)) {
        safe = CodeName(color);
        why = name.empty() ? RenameReason::kEmpty : RenameReason::kCannotHold;
    }
    return safe;
}

ImportPlan PlanImport(const FavouritesStore& store, int list,
                      const std::vector<PaletteEntry>& entries) {
    ImportPlan plan;
    const std::vector<std::string> held = store.AllNames(list);
    std::set<std::string> listed;  // every key the list holds, as keys compare
    for (const std::string& name : held) listed.insert(KeyOf(name));
    std::map<std::string, ColorValue> added;  // the keys this import adds, with their colours
    // The colours the list holds under the keys asked about (none for a value that is none).
    std::map<std::string, std::optional<ColorValue>> heldColours;

    const auto taken = [&](const std::string& key) {
        return listed.contains(key) || added.contains(key);
    };
    // The same name with the same colour, in the list already or earlier in the file.
    const auto sameThere = [&](const std::string& key, ColorValue color) {
        if (auto it = added.find(key); it != added.end()) return it->second == color;
        if (!listed.contains(key)) return false;
        auto it = heldColours.find(key);
        if (it == heldColours.end()) {
            // The first entry of the name is the one the file gives.
            for (const std::string& name : held) {
                if (KeyOf(name) != key) continue;
                it = heldColours.emplace(key, store.ClickColor(list, name)).first;
                break;
            }
        }
        return it != heldColours.end() && it->second == color;
    };

    for (const PaletteEntry& entry : entries) {
        std::optional<RenameReason> why;
        std::string name = StorableName(entry.name, entry.color, why);
        if (sameThere(KeyOf(name), entry.color)) {
            ++plan.alreadyThere;
            continue;
        }
        if (taken(KeyOf(name))) {
            const std::string base = name;
            for (int n = 2; taken(KeyOf(name)); ++n) {
                const std::string suffix = " (" + std::to_string(n) + ")";
                name = CutTo(base, kMaxImportedNameBytes - suffix.size()) + suffix;
            }
            why = RenameReason::kTaken;
        }
        if (why) plan.renamed.push_back({entry.name, name, *why});
        added.emplace(KeyOf(name), entry.color);
        plan.writes.emplace_back(std::move(name), ColorToHex(entry.color));
    }
    std::vector<std::string> names;
    names.reserve(plan.writes.size());
    for (const auto& write : plan.writes) names.push_back(write.first);
    plan.noRoom = !names.empty() && !store.HasRoomFor(list, names);
    return plan;
}

ImportResult ImportPalette(const FavouritesStore& store, int list,
                           const std::vector<PaletteEntry>& entries) {
    ImportResult result;
    result.plan = PlanImport(store, list, entries);
    if (result.plan.noRoom || result.plan.writes.empty()) return result;
    result.written = store.PutAll(list, result.plan.writes);
    return result;
}

std::string ImportSummary(const ImportPlan& plan, std::string_view fileName,
                          std::string_view listName, const Translate& say) {
    const std::string file(fileName);
    const std::string listed(listName);
    if (plan.noRoom) {
        return FillIn(say(HB_TR_NOOP("huebird::MarksForm",
                                     "“%1”放不下这么多颜色名称，“%2”中的颜色都没有导入。"
                                     "请删除一些颜色，或导入到其它收藏夹。")),
                      {listed, file});
    }
    std::string text =
        FillIn(say(HB_TR_NOOP("huebird::MarksForm", "从“%1”导入到“%2”的颜色：%3 个。")),
               {file, listed, std::to_string(plan.writes.size())});
    if (!plan.renamed.empty()) {
        text += "\n\n";
        text += FillIn(say(HB_TR_NOOP("huebird::MarksForm", "已更改的名称：%1 个")),
                       {std::to_string(plan.renamed.size())});
        for (std::size_t i = 0; i < plan.renamed.size() && i < kRenamesListed; ++i) {
            const ImportRename& r = plan.renamed[i];
            text += "\n";
            text += FillIn(say(HB_TR_NOOP("huebird::MarksForm", "“%1” → “%2”：%3")),
                           {r.from, r.to, say(ReasonText(r.reason))});
        }
        if (plan.renamed.size() > kRenamesListed) {
            text += "\n";
            text += FillIn(say(HB_TR_NOOP("huebird::MarksForm", "……还有 %1 个")),
                           {std::to_string(plan.renamed.size() - kRenamesListed)});
        }
    }
    if (plan.alreadyThere > 0) {
        text += "\n\n";
        text += FillIn(say(HB_TR_NOOP("huebird::MarksForm",
                                      "名称和颜色都已在收藏夹中、没有重复导入的颜色：%1 个")),
                       {std::to_string(plan.alreadyThere)});
    }
    return text;
}

std::string ImportFailure(std::string_view fileName, const PaletteRead& read,
                          const Translate& say) {
    const std::string why =
        FillIn(say(PaletteProblemText(read.problem)), {std::to_string(read.line), read.detail});
    return FillIn(say(HB_TR_NOOP("huebird::MarksForm", "无法导入“%1”：%2")),
                  {std::string(fileName), why});
}

std::string ExportFailure(std::string_view fileName, std::string_view reason,
                          const Translate& say) {
    return FillIn(say(HB_TR_NOOP("huebird::MarksForm", "无法导出到“%1”：%2")),
                  {std::string(fileName), std::string(reason)});
}

std::string ExportSummary(const FavouritesOut& out, const Translate& say) {
    std::string text;
    if (out.entries.empty()) {
        text = say(HB_TR_NOOP("huebird::MarksForm", "该收藏夹中没有可导出的颜色，没有写入文件。"));
    }
    if (!out.noColour.empty()) {
        if (!text.empty()) text += "\n\n";
        text +=
            FillIn(say(HB_TR_NOOP("huebird::MarksForm", "值不是颜色、没有导出的条目（%1 个）：%2")),
                   {std::to_string(out.noColour.size()), Join(out.noColour, ", ")});
    }
    return text;
}

}  // namespace huebird
