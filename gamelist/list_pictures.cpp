#include "gamelist/list_pictures.h"

#include <string>

#include "base/globals.h"
#include "gamelist/game_list.h"
#include "pictures/game_icons.h"
#include "pictures/picture_pane.h"

namespace quillet {

namespace {

std::string Trimmed(const char* text) {
    std::string s(text);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

void ShowFocusedPicture() {
    const LRESULT focus = SendMessageA(GameListWindow, LVM_GETNEXTITEM, -1, LVNI_FOCUSED);
    const GameRecord* record = focus >= 0 ? GameRecordAt(static_cast<int>(focus)) : nullptr;
    if (!record) {
        ShowPictureOf("", "", L"");
        return;
    }
    wchar_t description[sizeof record->Description];
    CatalogueTextToWide(record->Description, description, static_cast<int>(std::size(description)));
    // A game that is no clone has a single space as its parent.
    ShowPictureOf(Trimmed(record->RomName), Trimmed(record->Cloneof), description);
}

bool ListPictureNotify(NMHDR* header) {
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED))
            ShowFocusedPicture();
        return false;
    }
    if (header->code == LVN_KEYDOWN && reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_TAB && PicturePaneShown()) {
        SetFocus(PicturePaneWindow);
        return true;
    }
    return false;
}

int RecordIconSlot(const GameRecord& record, int row) { return GameIconSlot(record.RomName, record.IconPath, row); }

}  // namespace quillet
