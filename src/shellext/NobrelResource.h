#pragma once
// Resource ids of Nobrel.dll, shared by Nobrel.rc and the code that loads them.
#define IDS_PROJNAME 100
#define IDR_NOBREL_APPID 101  // REGISTRY: the application id
#define IDR_MYCONTEXTMENU 102 // REGISTRY: the class, its ProgIDs and the handler keys
#define IDB_MENU_ITEM 201     // BITMAP: 16 x 16, 24 bits, beside the menu item
