// Resource ids of the static-control test pictures.
#define IDP_PIECE_TL 301
#define IDP_PIECE_TOP 302
#define IDP_PIECE_TR 303
#define IDP_PIECE_BL 304
#define IDP_PIECE_BOTTOM 305
#define IDP_PIECE_BR 306
#define IDP_PIECE_LEFT 307
#define IDP_PIECE_CENTER 308
#define IDP_PIECE_RIGHT 309
#define IDP_HALVES 310
