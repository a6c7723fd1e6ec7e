#pragma once
// Resource ids the library asks of its language modules.
#define IDS_ZUMEN_UNREADABLE 2000
