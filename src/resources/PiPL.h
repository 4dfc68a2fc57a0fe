/* What the module tells the host about itself before the host ever calls it: the PiPL.
   Global set-up reports the same version and flags (checked at compile time there), and
   the host compares the two. Plain preprocessor definitions because the Windows resource
   compiler reads this file too (through the CMake-generated Inkline.rc). */
#ifndef INKLINE_RESOURCES_PIPL_H
#define INKLINE_RESOURCES_PIPL_H

#define INKLINE_PIPL_RESOURCE_ID   16000
#define INKLINE_PIPL_KIND          "eFKT"
#define INKLINE_PIPL_NAME          "Inkline"
#define INKLINE_PIPL_CATEGORY      "Tarsk"
#define INKLINE_PIPL_MATCH_NAME    "TARSK INKLINE"
#define INKLINE_PIPL_ENTRY_POINT   "EntryPointFunc"

/* PiPL format version 2.0 and the effect API version the effect was written against, 13.27,
   each as major << 16 | minor. */
#define INKLINE_PIPL_VERSION       0x00020000
#define INKLINE_PIPL_SPEC_VERSION  0x000D001B

/* PF_VERSION(1, 6, 1, PF_Stage_RELEASE, 7) */
#define INKLINE_VERSION_MAJOR      1
#define INKLINE_VERSION_MINOR      6
#define INKLINE_VERSION_BUGFIX     1
#define INKLINE_VERSION_BUILD      7
#define INKLINE_PIPL_EFFECT_VERSION 0x000B0E07

#define INKLINE_PIPL_INFO_FLAGS    0x00000000
/* WIDE_TIME_INPUT | SEQUENCE_DATA_NEEDS_FLATTENING | I_DO_DIALOG | USE_OUTPUT_EXTENT
   | DEEP_COLOR_AWARE | SEND_UPDATE_PARAMS_UI */
#define INKLINE_PIPL_OUT_FLAGS     0x06000072
/* SUPPORTS_QUERY_DYNAMIC_FLAGS | PARAM_GROUP_START_COLLAPSED_FLAG | I_AM_THREADSAFE
   | SUPPORTS_SMART_RENDER | FLOAT_COLOR_AWARE | SUPPORTS_GET_FLATTENED_SEQUENCE_DATA
   | SUPPORTS_THREADED_RENDERING */
#define INKLINE_PIPL_OUT_FLAGS2    0x08801419
#define INKLINE_PIPL_RESERVED_INFO 0x00000000

#endif
