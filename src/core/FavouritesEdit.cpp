#include "core/FavouritesEdit.h"

#include "core/Text.h"

namespace huebird {

namespace {

FavouriteEdit Said(FavouriteNotice notice) {
    FavouriteEdit edit;
    edit.notice = notice;
    return edit;
}

// A failed write: the notice and the system's reason.
FavouriteEdit WriteFailed(FavouriteEdit edit, const FavouritesStore& store,
                          const WriteResult& result, FavouriteNotice notice) {
    edit.notice = notice;
    edit.reason = store.FailureReason(result);
    return edit;
}

}  // namespace

const char* FavouriteNoticeText(FavouriteNotice notice) {
    switch (notice) {
        case FavouriteNotice::kNone:
            return "";
        case FavouriteNotice::kEnterName:
            return HB_TR_NOOP("huebird::MarksForm", "请输入颜色名称!");
        case FavouriteNotice::kBadName:
            return HB_TR_NOOP("huebird::MarksForm",
                              "颜色名称不能包含“=”或换行，不能以“;”或“[”开头，首尾不能有空格!");
        case FavouriteNotice::kAlreadyListed:
            return HB_TR_NOOP("huebird::MarksForm", "该颜色已经存在于收藏夹内!");
        case FavouriteNotice::kNoRoom:
            return HB_TR_NOOP("huebird::MarksForm",
                              "该收藏夹已放不下这个颜色名称，请缩短名称或删除一些颜色!");
        case FavouriteNotice::kChooseName:
            return HB_TR_NOOP("huebird::MarksForm", "请选择需要移动的颜色名称!");
        case FavouriteNotice::kSameList:
            return HB_TR_NOOP("huebird::MarksForm", "目标收藏夹和收藏夹分类不能相同！请重新选择！");
        case FavouriteNotice::kTargetHasName:
            return HB_TR_NOOP("huebird::MarksForm", "目标收藏夹已经存在该颜色名称，不能移动！");
        case FavouriteNotice::kNoRoomToMove:
            return HB_TR_NOOP("huebird::MarksForm", "目标收藏夹已放不下该颜色名称，不能移动！");
        case FavouriteNotice::kCannotSave:
            return HB_TR_NOOP("huebird::MarksForm", "无法保存收藏夹");
        case FavouriteNotice::kCopiedNotRemoved:
            return HB_TR_NOOP("huebird::MarksForm", "颜色已复制到目标收藏夹，但无法从原收藏夹删除");
    }
    return "";
}

std::optional<std::size_t> FindFavourite(const std::vector<std::string>& shown,
                                         std::string_view name) {
    for (std::size_t row = 0; row < shown.size(); ++row) {
        if (EqualsIgnoringCase(shown[row], name)) return row;
    }
    return std::nullopt;
}

FavouriteEdit AddFavourite(const FavouritesStore& store, int list, std::string_view name,
                           std::string_view code, const std::vector<std::string>& shown) {
    if (name.empty()) return Said(FavouriteNotice::kEnterName);
    // Refused before anything is written: the file would store such a name as another key,
    // or not at all.
    if (FavouriteNameProblem(name)) return Said(FavouriteNotice::kBadName);
    if (!store.Exists()) return {};
    // The file is asked too: it may hold the name beyond what the listing shows, and writing
    // it would overwrite that entry.
    const FavouriteAddProblem problem = store.CheckNewName(list, name);
    if (FindFavourite(shown, name) || problem == FavouriteAddProblem::kTaken) {
        return Said(FavouriteNotice::kAlreadyListed);
    }
    if (problem == FavouriteAddProblem::kNoRoom) return Said(FavouriteNotice::kNoRoom);
    const WriteResult written = store.Put(list, name, code);
    if (!written) return WriteFailed({}, store, written, FavouriteNotice::kCannotSave);
    FavouriteEdit edit;
    edit.added = true;
    return edit;
}

FavouriteEdit DeleteFavourite(const FavouritesStore& store, int list, std::string_view typed,
                              const std::vector<std::string>& shown) {
    if (!store.Exists()) return {};
    const std::optional<std::size_t> row = FindFavourite(shown, typed);
    if (!row) return {};
    // The name as the list shows it, which is how the swatch menu knows it too.
    const WriteResult removed = store.Remove(list, shown[*row]);
    if (!removed) return WriteFailed({}, store, removed, FavouriteNotice::kCannotSave);
    FavouriteEdit edit;
    edit.removed = true;
    edit.row = *row;
    return edit;
}

FavouriteEdit MoveFavourite(const FavouritesStore& store, int from, int to,
                            const std::optional<std::string>& picked,
                            const std::vector<std::string>& targetShown) {
    if (!picked) return Said(FavouriteNotice::kChooseName);
    if (from == to) return Said(FavouriteNotice::kSameList);
    FavouriteEdit edit;
    edit.reload = true;
    if (!store.Exists()) return edit;
    const std::string& name = *picked;
    const std::string value = store.Value(from, name);
    const FavouriteAddProblem problem = store.CheckNewName(to, name);
    if (FindFavourite(targetShown, name) || problem == FavouriteAddProblem::kTaken) {
        return Said(FavouriteNotice::kTargetHasName);
    }
    if (problem == FavouriteAddProblem::kNoRoom) return Said(FavouriteNotice::kNoRoomToMove);
    // The target first: a failure anywhere leaves the entry in at least one list.
    const WriteResult written = store.Put(to, name, value);
    if (!written) return WriteFailed(edit, store, written, FavouriteNotice::kCannotSave);
    edit.added = true;
    const WriteResult removed = store.Remove(from, name);
    if (!removed) return WriteFailed(edit, store, removed, FavouriteNotice::kCopiedNotRemoved);
    edit.removed = true;
    return edit;
}

FavouriteEntry InspectFavourite(const FavouritesStore& store, int list, std::string_view name) {
    FavouriteEntry entry;
    entry.code = store.Value(list, name);
    ColorValue color = 0;
    if (ParseHexColorPlain(entry.code, color)) entry.preview = color;
    return entry;
}

}  // namespace huebird
