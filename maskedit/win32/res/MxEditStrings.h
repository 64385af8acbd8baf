#pragma once
// String resources of the edit family (MxEditStrings.rc). The built-in context menu's
// captions are numbered by their command (MxEditCommands::TCommand, Undo 1 .. SelectAll 6)
// from MX_IDS_MENU.
#define MX_IDS_MENU 32256
#define MX_IDS_MENU_UNDO 32257
#define MX_IDS_MENU_CUT 32258
#define MX_IDS_MENU_COPY 32259
#define MX_IDS_MENU_PASTE 32260
#define MX_IDS_MENU_DELETE 32261
#define MX_IDS_MENU_SELECT_ALL 32262
