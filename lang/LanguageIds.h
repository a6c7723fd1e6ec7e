#pragma once
// Resource ids the library asks of its language modules.

// The info text of a drawing: printf templates whose arguments the library
// fixes (in order, as listed); the wording is the module's own.
// 2000: plain text, shown when no drawing could be read.
// 2003: kind, size, title, memo, time, paper, scale numerator (strings),
//       scale denominator (int).
// 2004: the editing time, with the time-span codes %D %H %M %S only.
// 2005: the entity count (string).
// 2006: the format version (double).
// 2010: kind, size, title, time, scale numerator (strings), scale
//       denominator (int).
#define IDS_ZUMEN_UNREADABLE 2000
#define IDS_INFO_DRAWING 2003
#define IDS_INFO_EDIT_TIME 2004
#define IDS_INFO_ENTITY_COUNT 2005
#define IDS_INFO_VERSION 2006
#define IDS_INFO_PART 2010
