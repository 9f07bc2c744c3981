// Resource ids shared by corvanta.rc and the C++ sources, grouped by hand.
#pragma once

// The program's icon: class icon, small icon and About box icon.
#define APP_ICON 500

// Main window buttons; a copy button's id is its slot number. Mnemonics used: 1 2 3 4 A C S.
#define COPY_BUTTON_1 1
#define COPY_BUTTON_2 2
#define COPY_BUTTON_3 3
#define COPY_BUTTON_4 4
#define ABOUT_BUTTON 5
#define CONFIGURE_BUTTON 6
#define EXIT_BUTTON 7

// Settings dialog: for copy k, path edit 3k-2, browse button 3k-1, description edit 3k.
// Ids 1 and 2 coincide with IDOK and IDCANCEL and mean nothing more than the controls below.
#define PATH_EDIT_1 1
#define BROWSE_BUTTON_1 2
#define DESCRIPTION_EDIT_1 3
#define PATH_EDIT_2 4
#define BROWSE_BUTTON_2 5
#define DESCRIPTION_EDIT_2 6
#define PATH_EDIT_3 7
#define BROWSE_BUTTON_3 8
#define DESCRIPTION_EDIT_3 9
#define PATH_EDIT_4 10
#define BROWSE_BUTTON_4 11
#define DESCRIPTION_EDIT_4 12
#define ACCEPT_BUTTON 13
#define CANCEL_BUTTON 14

// Group boxes and labels, which nothing addresses; stored as 65535.
#define NO_ID (-1)
