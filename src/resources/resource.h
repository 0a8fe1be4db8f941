// Resource and command ids of PelmoFree, kept by hand.
//
// Ranges:
//   100..199        dialogs of the shell (About) and their controls
//   128             the main frame: menu, accelerators, toolbar, icon, title string
//   1000..1999      controls of the shell's dialogs
//   32768..32999    the program's own commands
//   57344..59999    commands and strings with the standard ids Windows programs
//                   give new, open, exit, help and the toolbar
//   41000..41999    string-table texts of the user dialogs and the record list
//   57683..58099    string-table texts of the record table, charts and selectors
#ifndef PELMO_RESOURCES_RESOURCE_H
#define PELMO_RESOURCES_RESOURCE_H

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

// Standard editing and pane commands that only the accelerator table names
#define ID_FILE_SAVE 57603
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// The report printed through the print dialog: the menu, Ctrl+P and Ctrl+P in the record list.
#define ID_RECORDS_PRINT 32771

// The toolbar is a child of the frame with this id (the same as its toggle command).
#define IDW_TOOLBAR ID_VIEW_TOOLBAR

// Shell: windows of the start-up tree, the About box and the exit dialog.
// Named resources (by string): "IDB_OPNING" splash, "IDB_WEBSITE", "IDB_ABOUT",
// "IDB_END1"/"IDB_END2" mascot frames, "IDD_PLEND" exit dialog, "IDR_FOOD_TABLE"
// the shipped food table (RCDATA).
#define IDW_CALENDAR 2
#define IDW_CONTAINER 3
#define IDW_DIARY 4
#define IDW_VIEW 59648  // the view: the standard id of a frame's first pane
#define IDC_ABOUT_WEBPAGE 1001
#define IDC_PLEND_WEBSITE 3
#define IDC_PLEND_MASCOT 1081
#define IDC_ABOUT_PICTURE 1002
#define IDC_ABOUT_VERSION 1003

// User, target and input-item dialogs (templates are named by string:
// "IDD_USER_REGISTRY", "IDD_USER_AMEND", "IDD_SEARCHDIALOG", "IDD_VIEW_USERINFO",
// "IDD_DELETEDIALOG", "IDD_SET_TARGET", "IDD_SET_ITEM2"). Control ids 100..1099,
// string-table texts 41214..41248 and 57704..57707.
#define IDC_DIALOG_HELP 100
#define IDC_SEARCH_KEYWORD 101
#define IDC_SEARCH_LIST 102
#define IDC_SEARCH_BUTTON 103
#define IDC_SEARCH_OPEN 104
#define IDC_SEARCH_VIEW 105
#define IDC_DELETE_BUTTON 109
#define IDC_DELETE_LIST 110
#define IDC_USER_NAME 245
#define IDC_USER_SEX 248
#define IDC_USER_HEIGHT 249
#define IDC_USER_AGE 250
#define IDC_USER_ACTIVITY 251
#define IDC_USER_REGISTER 390
#define IDC_USER_AGE_SPIN 1090
#define IDC_USER_HEIGHT_SPIN 1091
#define IDC_TARGET_STEPS 133
#define IDC_TARGET_INTAKE 399
#define IDC_TARGET_NORMAL_WEIGHT 411
#define IDC_TARGET_BODYFAT 1063
#define IDC_TARGET_WEIGHT 1066
#define IDC_TARGET_SLEEP 1067
#define IDC_TARGET_WEIGHT_SPIN 1069
#define IDC_TARGET_MESSAGE 1070
#define IDC_TARGET_EXERCISE 1071
#define IDC_TARGET_BODYFAT_SPIN 1072
#define IDC_TARGET_REGISTER 1073
#define IDC_TARGET_SLEEP_SPIN 1074
#define IDC_TARGET_STEPS_SPIN 1075
#define IDC_TARGET_INTAKE_SPIN 1076
#define IDC_TARGET_EXERCISE_SPIN 1077
#define IDC_TARGET_BODYFAT_LABEL 57781
#define IDC_ITEM_FIRST 319  // checkbox of input item i is IDC_ITEM_FIRST + i (only body fat exists)
#define IDC_ITEM_REGISTER 1073
#define IDS_SEX_MALE 41214
#define IDS_SEX_FEMALE 41215
#define IDS_OPEN_USER_CAPTION 41244
#define IDS_OPEN_USER_QUESTION 41245
#define IDS_DELETE_USERS_QUESTION 41247
#define IDS_DELETE_USERS_CAPTION 41248
// Activity levels 0..3 are IDS_ACTIVITY_LOW + level.
#define IDS_ACTIVITY_LOW 57704
#define IDS_ACTIVITY_RATHER_LOW 57705
#define IDS_ACTIVITY_MODERATE 57706
#define IDS_ACTIVITY_HIGH 57707

// Evaluation and charts: 57715..57720 BMI class names (57715 + class),
// 57753..57762 chart item names (57753 + item), 57763..57771 units of items 1..9 (57762 + item)
#define IDS_BMI_CLASS_UNDERWEIGHT 57715
#define IDS_BMI_CLASS_NORMAL 57716
#define IDS_BMI_CLASS_OBESE1 57717
#define IDS_BMI_CLASS_OBESE2 57718
#define IDS_BMI_CLASS_OBESE3 57719
#define IDS_BMI_CLASS_OBESE4 57720
#define IDS_CHART_ITEM_NONE 57753
#define IDS_CHART_ITEM_WEIGHT 57754
#define IDS_CHART_ITEM_BODY_FAT 57755
#define IDS_CHART_ITEM_INTAKE 57756
#define IDS_CHART_ITEM_EXERCISE 57757
#define IDS_CHART_ITEM_TEMPERATURE 57758
#define IDS_CHART_ITEM_CONDITION 57759
#define IDS_CHART_ITEM_SLEEP 57760
#define IDS_CHART_ITEM_STEPS 57761
#define IDS_CHART_ITEM_EVALUATION 57762
#define IDS_CHART_UNIT_WEIGHT 57763
#define IDS_CHART_UNIT_BODY_FAT 57764
#define IDS_CHART_UNIT_INTAKE 57765
#define IDS_CHART_UNIT_EXERCISE 57766
#define IDS_CHART_UNIT_TEMPERATURE 57767
#define IDS_CHART_UNIT_CONDITION 57768
#define IDS_CHART_UNIT_SLEEP 57769
#define IDS_CHART_UNIT_STEPS 57770
#define IDS_CHART_UNIT_EVALUATION 57771

// Diary window: the record popup menu's texts 41388..41390 and the analysis
// modes 57711..57713 (mode 0, 1, 2 is IDS_ANALYSIS_DAILY + mode).
#define IDS_POPUP_DAY_NEW 41388
#define IDS_POPUP_DAY_EDIT 41389
#define IDS_POPUP_DAY_DELETE 41390
#define IDS_ANALYSIS_DAILY 57711
#define IDS_ANALYSIS_MONTHLY 57712
#define IDS_ANALYSIS_YEARLY 57713
// The line-graph periods 58000..58013 (period p is IDS_GRAPH_PERIOD_MONTHLY + p).
#define IDS_GRAPH_PERIOD_MONTHLY 58000
#define IDS_GRAPH_PERIOD_YEARLY 58001
#define IDS_GRAPH_PERIOD_30_DAYS 58002
#define IDS_GRAPH_PERIOD_60_DAYS 58003
#define IDS_GRAPH_PERIOD_90_DAYS 58004
#define IDS_GRAPH_PERIOD_120_DAYS 58005
#define IDS_GRAPH_PERIOD_150_DAYS 58006
#define IDS_GRAPH_PERIOD_180_DAYS 58007
#define IDS_GRAPH_PERIOD_210_DAYS 58008
#define IDS_GRAPH_PERIOD_240_DAYS 58009
#define IDS_GRAPH_PERIOD_270_DAYS 58010
#define IDS_GRAPH_PERIOD_300_DAYS 58011
#define IDS_GRAPH_PERIOD_330_DAYS 58012
#define IDS_GRAPH_PERIOD_360_DAYS 58013

// Record table and day dialog: column titles 57683..57689 (57683 + column),
// units of columns 1..6 at 57693..57698 (57692 + column); the dialog "IDD_EDIT"
// (named by string) with control ids 100..1099 and the body-fat label 57781.
#define IDS_TABLE_TITLE_DATE 57683
#define IDS_TABLE_TITLE_WEIGHT 57684
#define IDS_TABLE_TITLE_BODY_FAT 57685
#define IDS_TABLE_TITLE_BMI 57686
#define IDS_TABLE_TITLE_CLASS 57687
#define IDS_TABLE_TITLE_WEIGHT_DIFFERENCE 57688
#define IDS_TABLE_TITLE_BODY_FAT_DIFFERENCE 57689
#define IDS_TABLE_UNIT_WEIGHT 57693
#define IDS_TABLE_UNIT_BODY_FAT 57694
#define IDS_TABLE_UNIT_BMI 57695
#define IDS_TABLE_UNIT_CLASS 57696
#define IDS_TABLE_UNIT_WEIGHT_DIFFERENCE 57697
#define IDS_TABLE_UNIT_BODY_FAT_DIFFERENCE 57698
#define IDC_DAY_DATE 125
#define IDC_DAY_REGISTER 129
#define IDC_DAY_DIARY 303
#define IDC_DAY_BODYFAT 1063
#define IDC_DAY_WEIGHT 1066
#define IDC_DAY_DATE_SPIN 1068
#define IDC_DAY_WEIGHT_SPIN 1069
#define IDC_DAY_BODYFAT_SPIN 1070
#define IDC_DAY_BODYFAT_LABEL 57781

// Colour scheme: the dialog "IDD_SET_COLOR" (named by string) with its scroll
// bar and preview; the previews are the bitmaps "IDB_COLOR1".."IDB_COLOR20".
#define IDC_COLOR_PREVIEW 1080
#define IDC_COLOR_SCROLL 1111

// Backup and restore: the folder dialogs "IDD_DATA_BACKUP" and "IDD_DATA_RESTORE"
// and their progress windows "IDD_DATA_BACKUP2" and "IDD_DATA_RESTORE2" (named by
// string); OK (1), Cancel and "中断" (2) and help (IDC_DIALOG_HELP) as elsewhere.
#define IDC_BACKUP_BROWSE 3
#define IDC_BACKUP_FOLDER 133
#define IDC_BACKUP_PROGRESS 315

// The weight's trend: the menu's "表示" → "傾向線" (the line graph's trend lines).
#define ID_VIEW_TREND 32900

// The printed report: its commands (32920..32929), texts (42300..42499) and the
// controls of its period dialog "IDD_REPORT_PERIOD" (2100..2199).
#define ID_REPORT_PREVIEW 32920
#define IDS_REPORT_TITLE 42300
#define IDS_REPORT_NAME_PERIOD 42301
#define IDS_REPORT_HEIGHT_TARGET 42302
#define IDS_REPORT_DIARY_COLUMN 42303
#define IDS_REPORT_SUMMARY_TITLE 42304
#define IDS_REPORT_NO_WEIGHT 42305
#define IDS_REPORT_AVERAGE 42306
#define IDS_REPORT_AVERAGE_NO_HEIGHT 42307
#define IDS_REPORT_CHANGE 42308
#define IDS_REPORT_RATE 42309
#define IDS_REPORT_RATE_NONE 42310
#define IDS_REPORT_NORMAL 42311
#define IDS_REPORT_NORMAL_INSIDE 42312
#define IDS_REPORT_NORMAL_ABOVE 42313
#define IDS_REPORT_NORMAL_BELOW 42314
#define IDS_REPORT_NORMAL_NONE 42315
#define IDS_REPORT_TARGET 42316
#define IDS_REPORT_PROJECTION 42317
#define IDS_REPORT_PROJECTION_NONE 42318
#define IDS_REPORT_PREVIEW_CAPTION 42320
#define IDS_REPORT_PRINT_CAPTION 42321
#define IDS_REPORT_PERIOD_CAPTION 42322
#define IDS_REPORT_NO_PRINTER 42323
#define IDS_REPORT_PRINT_FAILED 42324
#define IDS_REPORT_NO_DAYS 42325
#define IDS_REPORT_DOCUMENT 42326
#define IDS_REPORT_PREVIEW_BAR 42327
#define IDS_REPORT_TREND_LEGEND 42328
#define IDC_REPORT_FROM 2100
#define IDC_REPORT_TO 2101
#define IDC_REPORT_MONTH 2102
#define IDC_REPORT_YEAR 2103
#define IDC_REPORT_PREVIEW_PREVIOUS 2110
#define IDC_REPORT_PREVIEW_NEXT 2111
#define IDC_REPORT_PREVIEW_WHOLE 2112
#define IDC_REPORT_PREVIEW_WIDTH 2113
#define IDC_REPORT_PREVIEW_PRINT 2114
#define IDC_REPORT_PREVIEW_CLOSE 2115
#define IDC_REPORT_PREVIEW_PAGE 2116

// Days in and out as files: the menu commands, the import's preview dialog
// "IDD_IMPORT_PREVIEW" and its progress window "IDD_IMPORT_PROGRESS" (named by string).
#define ID_CSV_EXPORT 32910
#define ID_CSV_IMPORT 32911
#define ID_TABLE_PASTE 32912
#define ID_IMPORT_UNDO 32913
#define IDC_IMPORT_SOURCE 2000
#define IDC_IMPORT_NEW 2001
#define IDC_IMPORT_DIFFERENT 2002
#define IDC_IMPORT_SAME 2003
#define IDC_IMPORT_REFUSED 2004
#define IDC_IMPORT_REFUSED_LIST 2005
#define IDC_IMPORT_NOTES 2006
#define IDC_IMPORT_KEEP 2007
#define IDC_IMPORT_TAKE 2008
#define IDC_IMPORT_UNIT_TEXT 2009
#define IDC_IMPORT_KG 2010
#define IDC_IMPORT_LB 2011
#define IDC_IMPORT_PROGRESS 2012

#endif
