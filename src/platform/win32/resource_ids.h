/* Resource identifiers of the executable, shared by the generated resource script and the code.
   Plain C preprocessor only: windres reads this file too. */
#ifndef PELMORA_RESOURCE_IDS_H
#define PELMORA_RESOURCE_IDS_H

/* The program icon: the lowest icon id, so Explorer shows it for the file. */
#define IDI_PELMORA 1

/* GIF pictures, stored as RCDATA and decoded on first use. */
#define IDR_BANNER 101        /* settings window banner, 490 x 140 */
#define IDR_ABOUT_BANNER 102  /* About window banner, 435 x 80 */
#define IDR_ABOUT_PICTURE 103 /* About picture box 1, 150 x 150 */
#define IDR_ABOUT_NOTE 104    /* About picture box 2, 64 x 64 */
#define IDR_ABOUT_EMBLEM 105  /* About picture box 3, 48 x 48 */

#endif
