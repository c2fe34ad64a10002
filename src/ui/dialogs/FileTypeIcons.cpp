#include "ui/dialogs/FileTypeIcons.h"

#include "framework/Dpi.h"
#include "res/resource.h"

#include <commctrl.h>

namespace zevrin {

fw::UniqueImageList CreateFileTypeImageList(int dpi) {
    const int size = fw::ScaleTo(16, dpi); // the icons hold 16, 24, 32 and 48 pixels
    fw::UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 4));
    if (!images) return images;
    for (int id : {IDI_VIDEO_WITH_AUDIO, IDI_VIDEO_ONLY, IDI_AUDIO_ONLY, IDI_PLAYLIST}) {
        fw::UniqueIcon icon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ImageList_AddIcon(images.Get(), icon.Get());
    }
    return images;
}

} // namespace zevrin
