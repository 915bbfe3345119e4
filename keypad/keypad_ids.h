/* The keypad library's resource and control ids, shared by tessapad.rc and
   the C++ code (plain #defines so that llvm-rc reads them too). */
#ifndef MENSORA_KEYPAD_IDS_H
#define MENSORA_KEYPAD_IDS_H

/* Resources */
#define IDR_ENTRY_MENU 130
#define IDD_NUM_INPUT 131

/* Controls of the keypad dialog (IDOK and IDCANCEL come from winconst.h) */
#define IDC_SIGN 1000
#define IDC_ENTRY 1012
#define IDC_KEY_1 1013
#define IDC_CLEAR 1014
#define IDC_KEY_2 1017
#define IDC_KEY_3 1018
#define IDC_KEY_4 1019
#define IDC_KEY_5 1020
#define IDC_KEY_6 1021
#define IDC_KEY_7 1022
#define IDC_KEY_8 1023
#define IDC_KEY_9 1024
#define IDC_KEY_0 1025
#define IDC_KEY_DOT 1026
#define IDC_KEY_BACK 1027

/* Commands of the entry field's context menu */
#define ID_ENTRY_COPY 32781
#define ID_ENTRY_CUT 32782
#define ID_ENTRY_DELETE 32783
#define ID_ENTRY_PASTE 32784

#endif
