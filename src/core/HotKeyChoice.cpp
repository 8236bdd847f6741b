#include "core/HotKeyChoice.h"

#include "core/VirtualKeys.h"

namespace huebird {

namespace {

std::string Joined(const char* head, const std::string& tail) {
    std::string s(head);
    s += tail;
    return s;
}

}  // namespace

const std::vector<HotKeyItem>& HotKeyItems() {
    static const std::vector<HotKeyItem> items = [] {
        std::vector<HotKeyItem> list;
        for (char c : std::string("ABDEFGHIJKLMNOPQRSTUWY")) list.push_back({std::string(1, c), c});
        for (int f = 1; f <= 12; ++f) list.push_back({Joined("F", std::to_string(f)), 111 + f});
        return list;
    }();
    return items;
}

int PreselectedHotKeyItem(std::uint32_t virtualKey) {
    const int k = static_cast<int>(virtualKey & 0xFF);
    std::string wanted;
    if (k >= 'A' && k <= 'Y') {
        wanted = std::string(1, static_cast<char>(k));
    } else if (k >= 112 && k <= 123) {
        wanted = Joined("F", std::to_string(k - 111));
    } else {
        return -1;
    }
    const auto& items = HotKeyItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].text == wanted) return static_cast<int>(i);
    }
    return -1;
}

std::optional<int> ChosenHotKeyCode(int item) {
    const auto& items = HotKeyItems();
    if (item < 0 || item >= static_cast<int>(items.size())) return std::nullopt;
    const int code = items[item].code;
    if (code < 1 || code > 123) return std::nullopt;
    return code;
}

int HotKeyDialogLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int dialogWidth) {
    if (screenWidth < mainLeft + skinWidth + dialogWidth + 20) return mainLeft - dialogWidth - 20;
    return mainLeft + mainWidth + 20;
}

std::string HotKeyName(int vk, std::string_view codeWord) {
    const std::string_view name = VirtualKeyName(static_cast<std::uint32_t>(vk));
    if (!name.empty()) return Joined("Ctrl+", std::string(name));
    std::string code(codeWord);
    code += ' ';
    code += std::to_string(vk);
    return Joined("Ctrl+", code);
}

}  // namespace huebird
