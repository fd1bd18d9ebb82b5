#pragma once

// Identifiers of the ui tests' own resources (test_resources.rc).
#define IDD_TEST_DIALOG 201
#define IDC_TEST_LABEL 1001
#define IDM_TEST_MENU 301
#define ID_TEST_OPEN 40001
#define ID_TEST_SAVE 40002
#define ID_TEST_GRID 40003
