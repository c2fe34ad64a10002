#pragma once
// Command, string and window ids the framework itself defines and the program's resources use.

namespace fw {

enum : unsigned {
    ID_APP_ABOUT = 0xE140,      // 57664
    ID_APP_EXIT = 0xE141,       // 57665
    ID_NEXT_PANE = 0xE150,      // 57680
    ID_PREV_PANE = 0xE151,      // 57681
    ID_VIEW_CONTROLBAR = 0xE800,  // 59392, also the id of the first control bar window

    IDS_APP_TITLE = 0xE000,     // 57344: the application name

    IDW_MENUBAR = 0xE800,
    IDW_CONTROLBAR = 0xE805,
    IDW_PANE_FIRST = 0xE900,    // the frame's client pane
};

// Sent by the application to the main frame when the message queue has run dry, so that bars
// can refresh their buttons through the update handlers.
constexpr unsigned WM_IDLEUPDATECMDUI = 0x0363;

} // namespace fw
