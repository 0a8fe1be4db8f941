// Resource and command ids of PelmoFree, kept by hand.
//
// Ranges:
//   100..199        dialogs of the shell (About) and their controls
//   128             the main frame: menu, accelerators, toolbar, icon, title string
//   1000..1999      controls of the shell's dialogs
//   32768..32999    the program's own commands
//   57344..59999    commands and strings that keep the ids of the classic
//                   document/view framework (new, open, exit, help, toolbar)
//   41000..41999    string-table texts of the user dialogs and the record list
//   57683..58099    string-table texts of the record table, charts and selectors
#ifndef PELMO_RESOURCE_H
#define PELMO_RESOURCE_H

// Main frame: menu, accelerator table, toolbar, icon and title string share one id.
#define IDR_MAINFRAME 128

// Dialogs
#define IDD_ABOUTBOX 100

// Commands of menu 128
#define ID_USER_NEW 57600
#define ID_USER_OPEN 57601
#define ID_USER_AMEND 32850
#define ID_USER_DELETE 57675
#define ID_DATA_BACKUP 32834
#define ID_DATA_RESTORE 32831
#define ID_APP_EXIT 57665
#define ID_DAY_NEW 32795
#define ID_DAY_EDIT 32794
#define ID_DAY_DELETE 32796
#define ID_RECORDS_COPY 32844
#define ID_VIEW_TOOLBAR 59392
#define ID_SET_TARGET 32848
#define ID_SET_ITEMS 32773
#define ID_SET_COLOR 32775
#define ID_HELP_CONTENTS 57666
#define ID_HELP_WEBPAGE 32853
#define ID_APP_ABOUT 57664

// Framework editing and pane commands that only the accelerator table names
#define ID_FILE_SAVE 57603
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// Sent by Ctrl+P in the record list; nothing handles it.
#define ID_RECORDS_PRINT 32771

// The toolbar is a child of the frame with this id (the same as its toggle command).
#define IDW_TOOLBAR ID_VIEW_TOOLBAR

#endif
