// Resource and command ids of Zevrin.exe, shared by the resource script and the code; the
// framework's own ids come from its header, defined once there.
#pragma once

#include "framework/Ids.h"

// Resources
#define IDR_MAINFRAME            128   // menu, accelerators, icon, title / document string
#define IDR_CONTEXT_MENUS        149   // the context menus, one popup per position
#define IDB_BAR_BACKGROUND       143   // 8x60 background strip of the bars
#define IDC_HAND_CURSOR          401
#define IDP_PLAY_HOVER           160   // PNG, 96x96 RGBA: play button, hover and pressed
#define IDP_PLAY_NORMAL          161   // PNG, the same dimmed
#define IDD_ABOUT                100
// Control bar and display art (button strips 140x23 of five 28x23 states, slider strips)
#define IDB_LEAVE_FULL_SCREEN    131
#define IDB_PLAY                 133
#define IDB_WAIT_DOTS            134   // two 9x9 dots: idle, lit
#define IDB_FULL_SCREEN          137
#define IDB_STOP                 139
#define IDB_PREVIOUS             141
#define IDB_NEXT                 142
#define IDB_SEEK_SLIDER          144   // four 16x16 images
#define IDB_PAUSE                145
#define IDB_VOLUME_SLIDER        146   // four 6x16 images
#define IDB_TO_DISPLAY           147
#define IDB_TO_PLAYLIST          150
#define IDB_MUTED                152
#define IDB_VOLUME_LOW           154
#define IDB_VOLUME_HIGH          155
#define IDB_VOLUME_ZERO          156
#define IDB_ZOOM                 158
#define IDD_PROPERTIES           530   // media properties of one item
// Playlist pane art (magenta shows the background through)
#define IDB_PLAY_STATES          130   // five 16x16 play-state icons
#define IDB_KIND_ICONS           148   // three 32x32 32-bit pictures by item kind
#define IDB_HOVER_PLAY           151   // three 20x20 play buttons: normal, hover, pressed
#define IDC_DRAG_REMOVE          136   // drag cursors: dropped outside the window
#define IDC_DRAG_PLAY            138   // on the window outside the list
#define IDC_DRAG_ACROSS          140   // between cells of a row
#define IDC_DRAG_DOWN            402   // between rows

// The playlist pane's list view (in the framework's range, but the program's own command)
#define ID_VIEW_LIST             59410

// Application and view commands
#define ID_PLAY                  32771
#define ID_ADD_URLS              32772
#define ID_STOP                  32773
#define ID_PREVIOUS              32774
#define ID_ADD_FILES             32775
#define ID_NEXT                  32776
#define ID_ADD_FOLDER            32777
#define ID_DOCKING_PLAYLIST      32778
#define ID_ALWAYS_ON_TOP         32779
#define ID_REMOVE                32780
#define ID_TRANSPARENT           32781
#define ID_FULL_SCREEN           32782
#define ID_SAVE_PLAYLIST         32783
#define ID_LOAD_PLAYLIST         32784
#define ID_AFTER_SHUTDOWN        32786
#define ID_MOVE_UP               32787
#define ID_MOVE_DOWN             32788
#define ID_SEEK_FORWARD_10S      32791
#define ID_SEEK_BACKWARD_10S     32792
#define ID_SEEK_FORWARD_1MIN     32793
#define ID_SEEK_BACKWARD_1MIN    32794
#define ID_ZOOM_FIT              32796
#define ID_ZOOM_50               32797
#define ID_ZOOM_100              32798
#define ID_ZOOM_200              32799
#define ID_VOLUME_UP             32800
#define ID_VOLUME_DOWN           32801
#define ID_MUTE                  32802
#define ID_SETTINGS              32803
#define ID_PROPERTIES            32806
#define ID_SELECT_ALL            32808
#define ID_REPEAT_CURRENT        32809
#define ID_SHOW_TITLE            32810
#define ID_REPEAT_ALL            32811
#define ID_REMOVE_ALL            32812
#define ID_PLAY_SELECTED         32813
#define ID_SHOW_ICON             32814
#define ID_TEMP_SWITCH           32815
#define ID_SHOW_DURATION         32816
#define ID_TEMP_ZOOM             32818
#define ID_AFTER_CLOSE           32819
#define ID_OPEN_FILES            32821
#define ID_OPEN_FOLDER           32822
#define ID_EMAIL_US              32823
#define ID_WEB_SITE              32824
#define ID_GRID_VIEW             32827
#define ID_OPEN_URL              32829
#define ID_CHECK_UPDATES         32834

// Recent lists: a placeholder item each, replaced by the entries base + i
#define ID_RECENT_FILES_CLEAR    40000
#define ID_RECENT_FILE_FIRST     40001
#define ID_RECENT_FILE_LAST      40100
#define ID_RECENT_PLAYLISTS_CLEAR 41000
#define ID_RECENT_PLAYLIST_FIRST 41001
#define ID_RECENT_PLAYLIST_LAST  41100

// Update check: the progress and new-version dialogs and their texts
#define IDD_UPDATE_PROGRESS      525
#define IDD_NEW_VERSION          527
#define IDS_UPDATE_CHECKING      5250
#define IDS_UPDATE_NEWER         5251
#define IDS_UPDATE_YOUR_VERSION  5252
#define IDS_UPDATE_LEARN_MORE    5253
#define IDS_UPDATE_FAILED        5254
#define IDS_UPDATE_NEWEST        5255

#define IDC_ABOUT_VERSION        1027

// The small dialogs: Open URL, Add URLs, About (templates in SmallDialogs.rc)
#define IDD_OPEN_URL             207
#define IDD_ADD_URLS             529
#define IDC_URL_BOX              1031  // Open URL: drop-down box with edit
#define IDC_URLS_BOX             1003  // Add URLs: one URL a line
#define IDC_EXAMPLE_LINK         2173  // both URL dialogs
#define IDC_ABOUT_NAME           1023
#define IDC_ABOUT_DESCRIPTION    1001
#define IDC_ABOUT_WEB_LINK       1002
#define IDC_ABOUT_MAIL_LINK      1004

// Folder selection dialog ("Select a Folder") and its tree's busy animation
#define IDD_FOLDER               104
#define IDC_FOLDER_BUSY          135   // animated cursor, ten steps


// Settings sheet, its pages, the File Type dialog and the file-type icons. The icon groups'
// order in Zevrin.exe is the icon index the associations name: 128 the program (0), 129 the
// ".play" document (1), 200..203 the media kinds (2..5).
#define IDI_PLAYLIST_DOCUMENT    129
#define IDI_VIDEO_WITH_AUDIO     200
#define IDI_VIDEO_ONLY           201
#define IDI_AUDIO_ONLY           202
#define IDI_PLAYLIST             203
#define IDD_SETTINGS_HISTORY     107
#define IDD_SETTINGS_ASSOCIATIONS 108
#define IDD_SETTINGS_GENERAL     109
#define IDD_FILE_TYPE            113
#define IDC_AUTO_CHECK_UPDATE    1000
#define IDC_FILE_TYPE_ADD        1012
#define IDC_FILE_TYPE_DELETE     1013
#define IDC_FILE_TYPE_EXTENSION  1016
#define IDC_FILE_TYPE_NAME       1018
#define IDC_FILE_TYPE_ICON       1020
#define IDC_EXPLORER_EXTENSION   1024
#define IDC_ALLOW_DUPLICATES     1026
#define IDC_THUMBNAIL_WIDTH      1028
#define IDC_THUMBNAIL_HEIGHT     1032
#define IDC_FILE_TYPE_LIST       1033
#define IDC_SHOW_BARS_FULL_SCREEN 1034
#define IDC_LOAD_LAST_PLAYLIST   1037
#define IDC_SAVE_RECENT_FILES    1038
#define IDC_CLEAR_RECENT_FILES   1039
#define IDC_MAX_RECENT_FILES     1040
#define IDC_SAVE_RECENT_PLAYLISTS 1042
#define IDC_MAX_RECENT_PLAYLISTS 1045
#define IDC_CLEAR_RECENT_PLAYLISTS 1046
