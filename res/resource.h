// Resource, control and command identifiers. Shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Icon, strings, templates
#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101
#define IDD_ABOUTBOX 100
#define IDD_MAIN_PANEL 102
#define IDD_JOG_PANEL 129
#define IDD_AUDIO_PANEL 175
#define IDD_TRACKBALL_PANEL 178
#define IDD_MEDIABAR_PANEL 179
#define IDD_COPYING 180
#define IDD_INFORMATION 189
#define IDM_ABOUTBOX 0x0010

// Main window
#define IDC_JOG_BTN 1000
#define IDC_AUDIO_BTN 1001
#define IDC_TRACKBALL_BTN 1002
#define IDC_MEDIABAR_BTN 1003
#define IDC_EXIT_BTN 1004
#define IDC_PANEL_GROUP 1005
#define IDC_JOG_FLASH 1130
#define IDC_JOG_DRIVER 1131
#define IDC_AUDIO_FLASH 1132
#define IDC_AUDIO_DRIVER 1133
#define IDC_TRACKBALL_FLASH 1134
#define IDC_TRACKBALL_DRIVER 1135
#define IDC_MEDIABAR_FLASH 1136
#define IDC_MEDIABAR_DRIVER 1137

// Panel window frame
#define IDC_MODE_NORMAL 1128
#define IDC_MODE_TEST 1007
#define IDC_MODE_RESERVED 1008
#define IDC_HELP_BTN 1009
#define IDC_HELP2_BTN 1010
#define IDC_DOWNLOAD_BTN 1012

// Information window
#define IDC_HELP_EDIT 1127

// Jog & Shuttle window
#define IDC_DIAL_OFF 1013
#define IDC_DIAL_JOG 1014
#define IDC_DIAL_SHUTTLE 1015
#define IDC_DIAL_DMC 1016
#define IDC_JOG_PICTURE 1017
#define IDC_F1_BTN 104
#define IDC_F2_BTN 1040
#define IDC_F3_BTN 1041
#define IDC_F4_BTN 1042
#define IDC_F5_BTN 1043
#define IDC_F6_BTN 1044
#define Dev_ReverseButton 1045
#define Dev_PlayButton 1046
#define Dev_StopButton 1047
#define Dev_Rewind_Button 1048
#define Dev_Forward_Button 1049
#define Dev_A_Button 1050
#define Dev_B_Button 1051
#define Dev_C_Button 1052
#define Dev_D_Button 1053
#define dev_E_Button 1054
#define Dev_F_Button 1055
#define Dev_G_Button 1056
#define SHIFT_BTN 1057
#define ENTER_BTN 1058
#define Dev_Jog_Led 1059
#define Dev_Shuttle_Led 1060
#define Dev_Dmc_led 1061
#define IDC_DIAL_CTRL 1062

// Audio window: keys and the OVER and DATA indicators
#define IDC_AUDIO_1T 1064
#define IDC_AUDIO_1B 1065
#define IDC_AUDIO_2T 1066
#define IDC_AUDIO_2B 1067
#define IDC_AUDIO_3T 1068
#define IDC_AUDIO_3B 1069
#define IDC_AUDIO_4T 1070
#define IDC_AUDIO_4B 1071
#define IDC_AUDIO_5T 1072
#define IDC_AUDIO_5B 1073
#define IDC_AUDIO_6T 1074
#define IDC_AUDIO_6B 1075
#define IDC_AUDIO_7T 1076
#define IDC_AUDIO_7B 1077
#define IDC_AUDIO_8T 1078
#define IDC_AUDIO_8B 1079
#define IDC_AUDIO_FUNC 1080
#define IDC_AUDIO_MUTE 1081
#define IDC_AUDIO_SOLO 1082
#define IDC_AUDIO_MONO 1083
#define IDC_AUDIO_BANK 1084
#define IDC_AUDIO_15L 1085
#define IDC_AUDIO_15R 1086
#define IDC_AUDIO_26L 1087
#define IDC_AUDIO_26R 1088
#define IDC_AUDIO_37L 1089
#define IDC_AUDIO_37R 1090
#define IDC_AUDIO_48L 1091
#define IDC_AUDIO_48R 1092
#define IDC_AUDIO_DATA 1093
#define IDC_AUDIO_OVER 1094

// Other panel pictures
#define IDC_AUDIO_PICTURE 1062
#define IDC_TRACKBALL_PICTURE 1095
#define IDC_MEDIABAR_PICTURE 1120

// Copying window
#define IDC_ANIMATE 1114
#define IDC_PROGRESS 1115
#define IDC_FILENAME 1125
#define IDR_COPY_CLIP 192

// Bitmaps
#define IDB_FADER_BACK 130
#define IDB_JOG_PANEL 131
#define IDB_JOG_LAMP_LIT 173
#define IDB_JOG_LAMP_DARK 174
#define IDB_AUDIO_PANEL 176
#define IDB_JOG_DIAL 177
#define IDB_AUDIO_KEY 181
#define IDB_AUDIO_KEY_PRESSED 182
#define IDB_KEY_LAMP 183
#define IDB_AUDIO_THUMB 184
#define IDB_AUDIO_MASTER_THUMB 187
#define IDB_MEDIABAR_PANEL 193
#define IDB_MEDIABAR_KNOB_FIRST 194  // knob k has skin 194 + k, k = 0 to 7
#define IDB_TRACKBALL_PANEL 202
#define IDB_TRACKBALL_BALL 208

// Panel Check window, its system-menu entries and the service report
#define IDD_PANEL_CHECK 230
#define IDD_REPORT_OPERATOR 231
#define IDS_PANEL_CHECK 232
#define IDS_SERVICE_REPORT 233
#define IDM_PANEL_CHECK 0x0020
#define IDM_SERVICE_REPORT 0x0030
#define IDC_CHECK_COUNT 1200
#define IDC_CHECK_VERDICT 1201
#define IDC_CHECK_LIST 1202
#define IDC_CHECK_NOTE 1203
#define IDC_CHECK_FAIL 1204
#define IDC_CHECK_SAVE 1205
#define IDC_REPORT_OPERATOR 1206
#define IDC_REPORT_TICKET 1207
// The Panel Check's automatic checks
#define IDC_CHECK_MOTORS 1208
#define IDC_CHECK_LAMPS 1209
#define IDC_CHECK_HANDS_OFF 1210
#define IDC_CHECK_STOP 1211
#define IDC_CHECK_PROMPT 1212
#define IDC_CHECK_LIT 1213
#define IDC_CHECK_NOT_LIT 1214
