// Ids of the controls tests' own dialog; the pictures keep the main program's ids.
#pragma once

#define IDD_CONTROLS_TEST 900
#define IDC_TEST_TILE 901
#define IDC_TEST_GLYPH 902
#define IDC_TEST_BANNER 903
#define IDC_TEST_BARE 904
#define IDC_TEST_PICTURE 905
