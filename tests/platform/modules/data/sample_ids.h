/* Identifiers of the sample resources, shared by sample.rc and the tests. */
#define IDS_FIRST 1
#define IDS_LAST_OF_BLOCK 15
#define IDS_NEXT_BLOCK 16
#define IDS_HEBREW 17
#define IDS_EMPTY_NEIGHBOUR 19
#define IDS_LONG 100
#define IDS_HEBREW_ONLY 4000
#define IDS_HIGH 65535
#define IDD_ABOUT 108
#define IDD_CLASSIC 702
#define IDB_SMALL 200
#define IDR_LANGS 300
#define IDP_TINY 5001
#define IDF_SYMBOLS 34001
