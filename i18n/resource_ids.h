/* The identifiers a language pack answers: the UI strings, the language
   image, the main window's menu bar and the commands on it. Plain #defines,
   because the pack scripts (msr_l*.rc) include this file as well as the C++
   code. The numbers are fixed: packs built elsewhere must keep working. */
#ifndef MENSORA_I18N_RESOURCE_IDS_H
#define MENSORA_I18N_RESOURCE_IDS_H

/* ---- Pack identity --------------------------------------------------------- */
#define IDS_PACK_MARKER 33004       /* any non-empty text: marks the file as a pack */
#define IDS_PACK_NAME 33005         /* the language's own name, for the language list */

/* ---- Language dialog ------------------------------------------------------- */
#define IDS_LANGUAGE_QUESTION 33006 /* asked after OK: end the program now? */
#define IDS_LANGUAGE_NOTE 33007     /* note static 33001 */
#define IDB_LANGUAGE 33029          /* image static 33003 */

/* ---- Main window ----------------------------------------------------------- */
#define IDS_MAIN_TITLE 33028
#define IDS_TABLE_OUT_OF_MEMORY 33030
#define IDS_TABLE_OUT_OF_MEMORY_TITLE 33031
#define IDS_TABLE_LOAD_FAILED 33046 /* at start-up */
#define IDS_NO_CONVERSION 33048     /* result field when no conversion applies */
#define IDS_OPEN_FILTER 33049       /* "text|pattern|text|pattern|" */
#define IDS_OPEN_FAILED 33050
#define IDS_SAVE_FAILED 33051
#define IDS_VALUE_CAPTION 33052     /* painted left of the value field */
#define IDS_RESULT_CAPTION 33053    /* painted left of the result field */
#define IDS_MAIN_CAPTION 33087      /* template 102's caption */

/* ---- Bitmap selection dialog (template 143) -------------------------------- */
#define IDS_BITMAP_TITLE 33033
#define IDS_BITMAP_COLUMN 33034
#define IDS_CANCEL 33065            /* shared by several dialogs */
#define IDS_BITMAP_CAPTION 33066
#define IDS_BITMAP_UP 33067
#define IDS_BITMAP_CLEAR 33068
#define IDS_BITMAP_PATH 33069

/* ---- Custom editor (144) and text entry (145) ------------------------------ */
#define IDS_TEXT_TITLE 33035
#define IDS_CUSTOM_DUPLICATE_UNIT 33036
#define IDS_CUSTOM_TITLE 33037
#define IDS_CUSTOM_CATEGORY 33038   /* the custom category's name */
#define IDS_CUSTOM_CANNOT_SET 33039
#define IDS_TEXT_CAPTION 33063
#define IDS_OK 33064                /* shared by several dialogs */
#define IDS_CUSTOM_CAPTION 33073
#define IDS_CUSTOM_HEADING 33074
#define IDS_CUSTOM_ADD 33075
#define IDS_CUSTOM_DELETE 33076
#define IDS_CUSTOM_SELECT_FROM 33077
#define IDS_CUSTOM_SELECT_TO 33078
#define IDS_CUSTOM_SET 33079
#define IDS_CUSTOM_CLOSE 33080

/* ---- Configuration dialog (142) -------------------------------------------- */
#define IDS_CONFIG_TITLE 33040
#define IDS_CONFIG_CAPTION 33081
#define IDS_CONFIG_PRECISION 33082
#define IDS_CONFIG_SCIENTIFIC 33083
#define IDS_CONFIG_CLOSE 33084

/* ---- About (146) and Help (147) -------------------------------------------- */
#define IDS_ABOUT_TITLE 33041
#define IDS_ABOUT_NAME 33042        /* static 1048: name and version */
#define IDS_ABOUT_TEXT 33043        /* static 1047 */
#define IDS_HELP_TITLE 33055
#define IDS_HELP_TEXT_1 33056       /* the help text is 33056 directly followed */
#define IDS_HELP_TEXT_2 33057       /* by 33057, nothing between them */
#define IDS_ABOUT_CAPTION 33070
#define IDS_HELP_CAPTION 33072

/* ---- Colour dialog (140) --------------------------------------------------- */
#define IDS_COLOR_TITLE 33054
#define IDS_COLOR_CAPTION 33085
#define IDS_COLOR_CANCEL 33086

/* ---- The main window's menu bar and its commands --------------------------- */
#define IDR_MAIN_MENU 135
#define ID_FILE_OPEN 57601
#define ID_EXIT 32782
#define ID_CONFIGURATION 32789
#define ID_SAVE_SETTINGS 32790
#define ID_CHANGE_COLOR 32791
#define ID_EXIT_2 32792
#define ID_ABOUT 32793
#define ID_CHANGE_COLOR_2 32794
#define ID_SELECT_BITMAP 32795
#define ID_EDIT_CUSTOM 32796
#define ID_EDIT_CUSTOM_2 32800
#define ID_ABOUT_2 32804
#define ID_HELP 32805
#define ID_EXIT_3 32817
#define ID_LANGUAGE 44000

#endif /* MENSORA_I18N_RESOURCE_IDS_H */
