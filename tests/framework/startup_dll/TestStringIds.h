// String ids of the test DLLs' string tables, shared with the tests. The
// language module holds them all but IDS_TEST_STARTUP_ONLY; the start-up DLL
// holds IDS_TEST_HELLO (with its own text) and IDS_TEST_STARTUP_ONLY.
#pragma once

#define IDS_TEST_HELLO 101
#define IDS_TEST_JAPANESE 102
#define IDS_TEST_FORMAT 103
#define IDS_TEST_SPAN_FORMAT 104
#define IDS_TEST_STARTUP_ONLY 105
#define IDS_TEST_EMPTY 106
#define IDS_TEST_BLOCK_FIRST 16
#define IDS_TEST_BLOCK_LAST 31
#define IDS_TEST_MISSING 107
#define IDS_TEST_NO_BLOCK 500
#define IDS_TEST_INSERT_ONE 108
#define IDS_TEST_INSERTS 109
