/* Identifiers of the test dialogs, shared by dialogs.rc and the tests. */
#define IDD_FORM 100
#define IDD_CLASSIC 101
#define IDD_NESTED 102
#define IDC_NAME_LABEL 1001
#define IDC_NAME 1002
#define IDC_RADIO1 1003
#define IDC_RADIO2 1004
#define IDC_RADIO3 1005
#define IDC_HIDDEN 1006
#define IDC_DISABLED 1007
#define IDC_CHECK 1008
#define IDC_APPLY 1009
#define IDC_PANE 1010
#define IDC_INNER1 1011
#define IDC_INNER2 1012
#define IDC_AFTER 1013
