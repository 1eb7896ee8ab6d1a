/* Resource, control, command and message ids of the main dialog.
   One header for the program and its resource script: plain #defines only. */
#ifndef TOLMARO_RESOURCE_H
#define TOLMARO_RESOURCE_H

/* Resources */
#define IDD_MAIN                1000
#define IDI_TOLMARO             1010
#define IDB_TOOLBAR             1020
#define IDB_INSTRUMENT          1021
#define IDR_CLIP_CLEAN          1030   /* removing empty flight folders */
#define IDR_CLIP_COPY_ALL       1031   /* copying the whole instrument */
#define IDR_CLIP_COPY_FLIGHTS   1032   /* copying the flight logs */
#define IDR_CLIP_WAYPOINTS      1033   /* waypoint analysis and export */
#define IDR_CLIP_DONE           1034   /* closing clip, played once */
#define IDR_ABOUT               1035   /* German */
#define IDR_ABOUT_ENGLISH       1036

/* Frame controls */
#define IDC_TOOLBAR             2000
#define IDC_STATUS              2010

/* Toolbar commands */
#define IDM_CHOOSE_SETUP        3000
#define IDM_PILOT_PAGE          3001
#define IDM_SETTINGS1_PAGE      3002
#define IDM_SETTINGS2_PAGE      3003
#define IDM_FILES_PAGE          3004
#define IDM_WAYPOINTS_PAGE      3005
#define IDM_ABOUT_PAGE          3006
#define IDM_FLIGHTBOOK_PAGE     3007
#define IDM_IMPORT_PAGE         3008

/* Private message: instrument detection and first load */
#define WM_DETECT_INSTRUMENT    4000

/* Pages 0 and 1: start and preview */
#define IDC_PREVIEW_FRAME       5000

/* Page 2: pilot */
#define IDC_PILOT_HEADING       5100
#define IDC_IGCID_LABEL         5101
#define IDC_IGCID               5102
#define IDC_PILOT_LABEL         5103
#define IDC_PILOT               5104
#define IDC_GLIDER_LABEL        5105
#define IDC_GLIDER              5106
#define IDC_CLASS_LABEL         5107
#define IDC_CLASS               5108
#define IDC_PILOT_CANCEL        5109
#define IDC_PILOT_SAVE          5110

/* Page 3: settings page 1 */
#define IDC_S1_HEADING          5200
#define IDC_S1_SUBHEADING       5201
#define IDC_LANGUAGE_LABEL      5202
#define IDC_LANGUAGE            5203
#define IDC_VOLUME_LABEL        5204
#define IDC_VOLUME_VALUE        5205
#define IDC_VOLUME_BAR          5206
#define IDC_CONTRAST_LABEL      5207
#define IDC_CONTRAST_VALUE      5208
#define IDC_CONTRAST_BAR        5209
#define IDC_UNIT_LABEL          5210
#define IDC_UNIT                5211
#define IDC_COORD_LABEL         5212
#define IDC_COORD               5213
#define IDC_FIELD1_LABEL        5214
#define IDC_FIELD1              5215
#define IDC_FIELD2_LABEL        5216
#define IDC_FIELD2              5217
#define IDC_S1_CANCEL           5218
#define IDC_S1_SAVE             5219

/* Page 4: settings page 2 */
#define IDC_S2_HEADING          5300
#define IDC_S2_SUBHEADING       5301
#define IDC_SINK_LABEL          5302
#define IDC_SINK_VALUE          5303
#define IDC_SINK_BAR            5304
#define IDC_CLIMB_LABEL         5305
#define IDC_CLIMB_VALUE         5306
#define IDC_CLIMB_BAR           5307
#define IDC_TIMEOFFSET_LABEL    5308
#define IDC_TIMEOFFSET_VALUE    5309
#define IDC_TIMEOFFSET_BAR      5310
#define IDC_TRACK_LABEL         5311
#define IDC_TRACK_VALUE         5312
#define IDC_TRACK_BAR           5313
#define IDC_INTEGRAL_LABEL      5314
#define IDC_INTEGRAL_VALUE      5315
#define IDC_INTEGRAL_BAR        5316
#define IDC_AIRSPACE_LABEL      5317
#define IDC_AIRSPACE_VALUE      5318
#define IDC_AIRSPACE_BAR        5319
#define IDC_S2_CANCEL           5320
#define IDC_S2_SAVE             5321

/* Page 5: files */
#define IDC_FILES_HEADING       5400
#define IDC_REMOVE_EMPTY        5401
#define IDC_COPY_FLIGHTS        5402
#define IDC_COPY_ALL            5403
#define IDC_FILES_CLOSE         5404
#define IDC_FILES_ANIMATION     5405

/* Page 6: waypoints */
#define IDC_WP_HEADING          5500
#define IDC_WP_USED_LABEL       5501
#define IDC_WP_USED             5502
#define IDC_WP_DELETED_LABEL    5503
#define IDC_WP_DELETED          5504
#define IDC_WP_THERMAL_LABEL    5505
#define IDC_WP_THERMAL          5506
#define IDC_EXPORT_WAYPOINTS    5507
#define IDC_EXPORT_DELETED      5508
#define IDC_EXPORT_THERMALS     5509
#define IDC_WP_BACK             5510
#define IDC_WP_ANIMATION        5511

/* Page 7: about */
#define IDC_ABOUT               5600

/* Page 8: flight book */
#define IDC_BOOK_LIST           5700
#define IDC_BOOK_SAVE           5701
#define IDC_BOOK_BACK           5702
#define IDC_BOOK_VIEW           5703

/* Page 10: one flight; each number's control is its label's plus one */
#define IDC_FLIGHT_PICTURE              5900
#define IDC_FLIGHT_DATE_LABEL           5901
#define IDC_FLIGHT_DATE                 5902
#define IDC_FLIGHT_START_LABEL          5903
#define IDC_FLIGHT_START                5904
#define IDC_FLIGHT_LANDING_LABEL        5905
#define IDC_FLIGHT_LANDING              5906
#define IDC_FLIGHT_DURATION_LABEL       5907
#define IDC_FLIGHT_DURATION             5908
#define IDC_FLIGHT_TRACK_LENGTH_LABEL   5909
#define IDC_FLIGHT_TRACK_LENGTH         5910
#define IDC_FLIGHT_STRAIGHT_LABEL       5911
#define IDC_FLIGHT_STRAIGHT             5912
#define IDC_FLIGHT_FARTHEST_LABEL       5913
#define IDC_FLIGHT_FARTHEST             5914
#define IDC_FLIGHT_MAX_GPS_LABEL        5915
#define IDC_FLIGHT_MAX_GPS              5916
#define IDC_FLIGHT_MAX_PRESSURE_LABEL   5917
#define IDC_FLIGHT_MAX_PRESSURE         5918
#define IDC_FLIGHT_START_ALTITUDE_LABEL 5919
#define IDC_FLIGHT_START_ALTITUDE       5920
#define IDC_FLIGHT_MAX_CLIMB_LABEL      5921
#define IDC_FLIGHT_MAX_CLIMB            5922
#define IDC_FLIGHT_MAX_SINK_LABEL       5923
#define IDC_FLIGHT_MAX_SINK             5924
#define IDC_FLIGHT_FIXES_LABEL          5925
#define IDC_FLIGHT_FIXES                5926
#define IDC_FLIGHT_BACK                 5927

/* Page 9: waypoints onto the instrument */
#define IDC_IMPORT_HEADING      5800
#define IDC_IMPORT_LIST         5801
#define IDC_IMPORT_ADD          5802
#define IDC_IMPORT_REPLACE      5803
#define IDC_IMPORT_OPEN         5804
#define IDC_IMPORT_WRITE        5805
#define IDC_IMPORT_RESTORE      5806
#define IDC_IMPORT_BACK         5807

#endif
