#pragma once
// Command, string and window ids the framework itself defines and the program's resources use.
// They are plain macros so that the resource compiler reads this file too: res/resource.h
// includes it, and there is one definition of each id for the menus and for the code.

// Commands the framework carries out or routes.
#define ID_APP_ABOUT 0xE140       // 57664
#define ID_APP_EXIT 0xE141        // 57665
#define ID_NEXT_PANE 0xE150       // 57680
#define ID_PREV_PANE 0xE151       // 57681
#define ID_VIEW_CONTROLBAR 0xE800 // 59392, also the id of the first control bar window

// Strings.
#define IDS_APP_TITLE 0xE000 // 57344: the application name

// Child windows of a frame.
#define IDW_MENUBAR 0xE800
#define IDW_CONTROLBAR 0xE805
#define IDW_PANE_FIRST 0xE900 // the frame's client pane

#ifndef RC_INVOKED
namespace fw {

// Sent by the application to the main frame when the message queue has run dry, so that bars
// can refresh their buttons through the update handlers.
constexpr unsigned WM_IDLEUPDATECMDUI = 0x0363;

} // namespace fw
#endif
