/* Resource numbers of quillark and quillset: shared by the .rc scripts and the C++ code that
   loads the pictures, so plain #defines only. */
#ifndef QUILL_RESOURCE_IDS_H
#define QUILL_RESOURCE_IDS_H

/* Application icon, 16 x 16 and 32 x 32. */
#define IDI_APP 1

/* Skinned window frame, the same in both programs. */
#define IDB_FRAME_TOP_LEFT 101      /* 81 x 49, title bar left end with the program's mark */
#define IDB_FRAME_TOP_CENTER 102    /* 1024 x 49, title bar middle */
#define IDB_FRAME_TOP_RIGHT 103     /* 94 x 49, title bar right end behind the system buttons */
#define IDB_FRAME_LEFT 104          /* 10 x 800 */
#define IDB_FRAME_RIGHT 105         /* 13 x 800 */
#define IDB_FRAME_BOTTOM_LEFT 106   /* 10 x 12 */
#define IDB_FRAME_BOTTOM_CENTER 107 /* 1024 x 12 */
#define IDB_FRAME_BOTTOM_RIGHT 108  /* 13 x 12 */
#define IDB_FRAME_MIN 109           /* 17 x 19 system buttons */
#define IDB_FRAME_MAX 110
#define IDB_FRAME_RESTORE 111
#define IDB_FRAME_CLOSE 112

/* Client: the picture on the left of each wizard page, 120 x 234. */
#define IDB_PAGE1 201
#define IDB_PAGE2 202
#define IDB_PAGE3 203
#define IDB_PAGE4 204
#define IDB_PAGE5 205
#define IDB_PAGE6 206
#define IDB_AUTO_PICTURE 207        /* 120 x 120, beside the step list of the unattended page */

/* Client: 16 x 16 button glyphs. Pixels of colour RGB(255,0,255) (magenta) are transparent:
   draw them with TransparentBlt or a mask built from that colour. */
#define IDB_GLYPH_PREV 211
#define IDB_GLYPH_NEXT 212
#define IDB_GLYPH_START 213
#define IDB_GLYPH_CANCEL 214

#define QUILL_GLYPH_TRANSPARENT_COLORREF 0x00FF00FF /* RGB(255,0,255) as a COLORREF */

/* The assistant needs no pictures beyond the frame and its icon. */

#endif
