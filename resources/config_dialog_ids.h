/* Ids of the configuration dialog: its template (config_dialog.rc) and its logic
   (settings/config_dialog.cpp) both include this file, so it holds plain macros that the
   resource compiler can read. OK and Cancel are Win32's IDOK (1) and IDCANCEL (2). */
#ifndef SCINTLE_CONFIG_DIALOG_IDS_H
#define SCINTLE_CONFIG_DIALOG_IDS_H

#define IDD_CONFIG_DIALOG 2003
#define IDB_BANNER 101  /* the bitmap across the dialog's top */

#define IDC_SELECT_ALL 1017
#define IDC_SELECT_NONE 1018

/* General */
#define IDC_EXTRA_MEMORY 1025
#define IDC_COMPLETION_DELAY 1026
#define IDC_ALL_MONITORS 1048

/* Blanking methods: bits 0, 1, 2 */
#define IDC_SCINTLE_FADE 1019
#define IDC_FAST_FADE 1020
#define IDC_NO_FADE 1047

/* Colour schemes: Rainbow is bit 0, Mono to Bold 6 bits 1 to 7, Firestorm to
   Blue / green bits 8 to 13 */
#define IDC_MONO 1027
#define IDC_BOLD_1 1028
#define IDC_BOLD_2 1029
#define IDC_BOLD_3 1030
#define IDC_BOLD_4 1031
#define IDC_BOLD_5 1032
#define IDC_BOLD_6 1033
#define IDC_RAINBOW 1034
#define IDC_FIRESTORM 1035
#define IDC_VALENTINE 1036
#define IDC_STORMY_NIGHT 1037
#define IDC_RED_PURPLE 1038
#define IDC_GREEN_YELLOW 1039
#define IDC_BLUE_GREEN 1040

/* Curve types: Mandelbrot bit 0, Julia bit 1, Dragon bit 2, Phoenix bit 3 */
#define IDC_MANDELBROT 1021
#define IDC_JULIA 1022
#define IDC_PHOENIX 1023
#define IDC_DRAGON 1024

/* Iteration options */
#define IDC_MIN_ITERATIONS 1042
#define IDC_MAX_ITERATIONS 1043
#define IDC_EXCLUDE 1045
#define IDC_REDUCE 1046

/* Group boxes and labels, never addressed */
#define IDC_UNADDRESSED (-1)

#endif
