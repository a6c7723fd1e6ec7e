#pragma once
// Resource ids the library asks of its language modules.

// The info text of a drawing. The comment of each template names the
// arguments it takes, in order; the wording is the module's own.
#define IDS_ZUMEN_UNREADABLE 2000   // plain text: no drawing could be read
#define IDS_INFO_DRAWING 2003       // kind, size, title, memo, time, paper, scale numerator (strings), denominator (int)
#define IDS_INFO_EDIT_TIME 2004     // time-span codes %D %H %M %S only
#define IDS_INFO_ENTITY_COUNT 2005  // count (string)
#define IDS_INFO_VERSION 2006       // version (double)
#define IDS_INFO_PART 2010          // kind, size, title, time, scale numerator (strings), denominator (int)
