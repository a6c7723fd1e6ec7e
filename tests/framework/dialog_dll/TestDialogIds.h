// Ids of the test dialog module's template, shared with the tests.
#pragma once

#define IDD_TEST_FORM 200
#define IDC_TEST_NAME 1001
#define IDC_TEST_COUNT 1002
#define IDC_TEST_CHECK 1003
#define IDC_TEST_RADIO_FIRST 1004
#define IDC_TEST_RADIO_SECOND 1005
#define IDC_TEST_RADIO_THIRD 1006
#define IDC_TEST_SWATCH 1007
#define IDD_TEST_MISSING 299
#define IDD_TEST_PAGE 210
#define IDC_PAGE_VALUE 1101
#define IDS_TEST_PAGE_TITLE 300
