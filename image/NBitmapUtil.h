// CNBitmapUtil: the library's image store and image-file codec set.
//
// A store keeps pictures in eight numbered slots (BitmapType), each holding up to 512
// frames of one common size that share one 24-bit header. Pictures are loaded from files
// or resources (BMP, JPEG, GIF still and animated, PNG with alpha, WBMP, OTA bitmaps) and
// saved in any of these formats; the transforms (resizing, dithering, mirroring, blending,
// tiling, regions) work on the same slots. Every operation reports failure through the
// store's last-error code (QUOError).
//
// Limits:
//  - A frame holds at most kMaxFramePixels pixels and an animated GIF at most
//    kMaxTotalPixels pixels over all its frames; larger pictures are refused with
//    QUO_ERR_BAD_FORMAT (loads) or the argument's QUO_ERR_PARAMn (calls), so hostile
//    files never cause huge allocations and no size computation overflows an int.
//  - Frame indexes outside 0..511 are refused: the accessors treat them as a missing
//    frame, loads and saves set the QUO_ERR_PARAMn of the index argument.
//  - A store is used from one thread at a time.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct png_struct_def;
struct png_info_def;

#ifndef STM_SETIMAGE
#define STM_SETIMAGE 0x0172
#endif

class TALIX_LIB_API CNBitmapUtil {
 public:
  static constexpr int kSlotCount = 8;
  static constexpr int kMaxFrames = 512;
  // 4096 x 4096 pixels per frame; 64 Mi pixels over all frames of one animated GIF.
  static constexpr int64_t kMaxFramePixels = int64_t(1) << 24;
  static constexpr int64_t kMaxTotalPixels = int64_t(1) << 26;

  enum BitmapType {
    BT_IMAGE = 0,
    BT_ALPHA = 1,
    BT_BACKGROUND = 2,
    BT_BLENDED = 3,
    BT_IMAGE_RESIZED = 4,
    BT_ALPHA_RESIZED = 5,
    BT_BACKGROUND_RESIZED = 6,
    BT_BLENDED_RESIZED = 7,
  };

  enum BitmapFormat { BF_GIF = 0, BF_JPEG = 1, BF_BMP = 2, BF_PNG = 3, BF_OTA = 4, BF_WBMP = 5 };

  enum QUOError {
    QUO_OK = 0,
    QUO_ERR_RESOURCE_NOT_FOUND = 1,
    QUO_ERR_FILE_OPEN = 2,
    QUO_ERR_BAD_FORMAT = 3,
    QUO_ERR_FAILED = 4,
    QUO_ERR_PARAM1 = 5,
    QUO_ERR_PARAM2 = 6,
    QUO_ERR_PARAM3 = 7,
    QUO_ERR_PARAM4 = 8,
    QUO_ERR_PARAM5 = 9,
    QUO_ERR_PARAM6 = 10,
    QUO_ERR_PARAM7 = 11,
    QUO_ERR_PARAM8 = 12,
    QUO_ERR_NO_IMAGE = 13,
    QUO_ERR_GDI = 14,
    QUO_ERR_NO_FOREGROUND = 15,
    QUO_ERR_NO_MASK = 16,
    QUO_ERR_NO_BACKGROUND = 17,
    QUO_ERR_TOO_LARGE = 19,
    QUO_ERR_FILE_WRITE = 20,
    QUO_ERR_NO_SLOT = 21,
    QUO_ERR_RESOURCE_EMPTY = 22,
    QUO_ERR_ENCODE = 23,
    QUO_ERR_PNG = 24,
    QUO_ERR_TEMP_PATH = 25,
    QUO_ERR_FILE_READ = 26,
    QUO_ERR_TEMP_FILE = 27,
  };

  // One slot: up to 512 frames of one size sharing one bottom-up 24-bit header.
  class TALIX_LIB_API CNBitmap {
   public:
    CNBitmap();
    ~CNBitmap();  // deletes the frames and the header
    CNBitmap(const CNBitmap&) = delete;
    CNBitmap& operator=(const CNBitmap&) = delete;

    HBITMAP m_hBitmap[kMaxFrames];  // NULL where empty
    int m_nDelay[kMaxFrames];       // milliseconds
    BITMAPINFO* m_pBitmapInfo;      // NULL while the slot has no frame
    int m_nRowSize;                 // bytes per 24-bit row, padded to 4
    int m_nImageSize;               // row size x height
  };

  // The frame table of an animated GIF (filled by GetGIFFileStructure).
  class TALIX_LIB_API CGIFFileStruct {
   public:
    CGIFFileStruct();

    int m_nFrameStart[kMaxFrames];         // offset of the image descriptor
    int m_nFrameLength[kMaxFrames];        // bytes up to and including the block terminator
    int m_nTransparentColor[kMaxFrames];   // 0xRRGGBB, -1 for none
    int m_nDisposal[kMaxFrames];           // 0 to 7
    int m_nDelay[kMaxFrames];              // hundredths of a second
    uint32_t m_nControlData[kMaxFrames];   // the four data bytes of the frame's control block
    // Walk results beyond the frame table.
    int m_nControlOffset;                  // offset of the first control block's data, -1 none
    unsigned long m_nBackground;           // COLORREF of the file's background, 0xFFFFFFFF none
    int m_nScreenWidth, m_nScreenHeight;   // logical screen
    int m_nFrameLeft[kMaxFrames], m_nFrameTop[kMaxFrames];
    int m_nFrameWidth[kMaxFrames], m_nFrameHeight[kMaxFrames];
    bool m_bHasControl[kMaxFrames];        // the frame has its own control block
  };

  CNBitmapUtil();
  virtual ~CNBitmapUtil();
  CNBitmapUtil(const CNBitmapUtil&) = delete;
  CNBitmapUtil& operator=(const CNBitmapUtil&) = delete;

  // ---- Loading (the frame's handle, owned by the slot, or NULL) ----
  HBITMAP NLoadBitmap(const WCHAR* fileName, BitmapType type = BT_IMAGE, int index = 0);
  HBITMAP NLoadBitmap(HINSTANCE module, int resourceId, BitmapType type = BT_IMAGE, int index = 0);
  // Packed top-down B, G, R rows without padding; 1 or 0.
  int CreateBitmapFromData(int width, int height, char* data, BitmapType type, int index);
  int CreateBitmapFromHandle(HBITMAP bitmap, BitmapType type, int index);

  // ---- Saving: the size of the written file, 0 on failure ----
  int SaveBitmap(const WCHAR* fileName, BitmapFormat format, BitmapType type, int index);

  // ---- Store access ----
  HBITMAP GetBitmapHandle(BitmapType type, int index);
  BITMAPINFO* GetBitmapInfo(BitmapType type);
  int GetBitmapWidth(BitmapType type);
  int GetBitmapHeight(BitmapType type);
  int GetBitmapSize(BitmapType type);
  int GetNumberOfBitmaps(BitmapType type);
  int GetFirstBitmapIndex(BitmapType type);
  int GetFrameDelay(BitmapType type, int index);
  int SetFrameDelay(BitmapType type, int index, int delay);
  HBITMAP DeleteBitmap(BitmapType type, int index);
  int GetBitmapData(BitmapType type, int index, char* buffer);
  int SetBitmapData(BitmapType type, int index, char* buffer);
  int GetBitmapDataNA(BitmapType type, int index, char* buffer);
  int SetBitmapDataNA(BitmapType type, int index, char* buffer);
  void Clear();
  static int IsFileValid(const WCHAR* fileName);
  HBITMAP SetBitmap(HWND window, BitmapType type, int index);
  QUOError GetLastError();

  // ---- Settings (each returns the previous value) ----
  int SetLoopCount(int loopCount);
  unsigned long SetGIFBkColor(unsigned long color);
  bool SetGIFErrorDiffusion(bool diffusion);
  int SetJPEGCompressionFactor(int factor);  // -1 with QUO_ERR_PARAM1 outside 0..100

  // ---- Transforms ----
  int Resize(BitmapType type, int index, int width, int height, int quality);
  int ResizeRelative(BitmapType type, int index, int widthPercent, int heightPercent, int quality);
  int ResizeDither(BitmapType type, int index, int sourceX, int sourceY, int sourceWidth,
                   int sourceHeight, int targetWidth, int targetHeight, int ditherStrength,
                   int ditherLevel);
  int MirrorSection(BitmapType type, int index, int x, int y, int width, int height,
                    int flipHorizontally, int flipVertically);
  int AlphaBlendBitmaps(int mode, int resized, int index);
  int AlphaBlendBitmapsBGPos(int mode, int x, int y, int resized, int index);
  void AlphaBlendFunction(unsigned char* image, unsigned char* mask, unsigned char* background,
                          unsigned char* output, unsigned long count);
  int Clone(BitmapType sourceType, int sourceIndex, BitmapType targetType, int targetIndex);
  int CreateTiledBitmap(int width, int height, BitmapType type, int index);
  int CreateColorBackground(COLORREF color, int resized, int index);
  HBITMAP GetBackgroundStatic(HWND window, int x, int y, int width, int height, int resized,
                              int index);
  int SetBitmapStatic(HWND window, int x, int y, int width, int height, BitmapType type,
                      int index, int sourceX, int sourceY);
  int SetBitmapStaticAlpha(HWND window, int x, int y, int width, int height, BitmapType type,
                           int index, int sourceX, int sourceY, int alpha);
  HRGN BitmapToRegion(BitmapType type, int index, unsigned long keyColor,
                      unsigned long tolerance);
  HBITMAP CreateBitmapFromBitmapSection(int x, int y, int width, int height, HBITMAP bitmap);

 protected:
  // ---- Readers ----
  HBITMAP LoadBitmapFromFile(const WCHAR* fileName, BitmapType type, int index);
  HBITMAP LoadBitmapFromRes(HINSTANCE module, int resourceId, BitmapType type, int index);
  // The picture-object path: BMP, JPEG and still GIF decoded by the library's own readers.
  HBITMAP LoadBitmapUsingStream(const WCHAR* fileName, BitmapType type, int index);
  HBITMAP LoadBitmapUsingStream(const BYTE* data, size_t size, BitmapType type, int index);
  // Animated GIF in a global memory block; NULL for fewer than two frames.
  HBITMAP LoadGifPicture(HGLOBAL data, DWORD size, BitmapType type, int index);
  HBITMAP LoadGIFFileImages(const BYTE* data, DWORD size, const CGIFFileStruct& frames,
                            int frameCount, BitmapType type, int index);
  // Number of image descriptors recorded (at most 512).
  int GetGIFFileStructure(const BYTE* data, DWORD size, CGIFFileStruct* frames);
  HBITMAP LoadWBMPFile(const WCHAR* fileName, BitmapType type, int index);
  HBITMAP LoadOTABMPFile(const WCHAR* fileName, BitmapType type, int index);
  HBITMAP LoadPNGFile(const WCHAR* fileName, BitmapType type, int index);
  HBITMAP LoadPNGFromMem(const BYTE* data, DWORD size, BitmapType type, int index);
  HBITMAP LoadPNG(png_struct_def* png, png_info_def* info, BitmapType type, int index);

  // ---- Store internals ----
  char* GetBitmapDataAlloc(BitmapType type, int index);    // caller frees with delete[]
  char* GetBitmapDataNAAlloc(BitmapType type, int index);  // caller frees with delete[]
  CNBitmap* GetBitmapObject(BitmapType type);
  void SetBitmapObject(BitmapType type, CNBitmap* record);  // the old record is deleted
  BITMAPINFO* CreateBitmapInfoStruct(HBITMAP bitmap);       // caller frees with delete
  static int FilenameExtensionCompare(const WCHAR* fileName, const WCHAR* extension);

  // ---- Slot management shared by the readers and the transforms ----
  static bool IsSlot(int type) { return type >= 0 && type < kSlotCount; }
  static bool IsFrameIndex(int index) { return index >= 0 && index < kMaxFrames; }
  // Row size of a 24-bit row; 0 when the size is not positive or passes kMaxFramePixels.
  static int RowSizeFor(int width, int height);
  // A header of the slot's form (bottom-up, 24 bits, BI_RGB); NULL for a refused size.
  static BITMAPINFO* MakeHeader(int width, int height);
  // A 24-bit bottom-up DIB section; its bits through *bits when given. NULL for a refused size.
  static HBITMAP CreateFrameSection(int width, int height, void** bits);
  // Replaces the slot by an empty record (every frame deleted, the header freed).
  void ResetSlot(BitmapType type);
  // Resets the slot when it has a header of another size than width x height.
  void PrepareSlot(BitmapType type, int width, int height);
  // Puts a frame at index (deleting the one there), installing a header from width and
  // height when the slot has none; the store owns the frame afterwards (on failure too).
  bool InstallFrame(BitmapType type, int index, HBITMAP frame, int width, int height,
                    int delay = 0);
  // The slot's frame rows through its header: top-down or bottom-up rows of the slot's row
  // size, buffer of the slot's image size. False (and no error code) on failure.
  bool ReadFrameRows(BitmapType type, int index, BYTE* buffer, bool topDown);
  bool WriteFrameRows(BitmapType type, int index, const BYTE* buffer, bool topDown);
  // Sets the last error and returns value, for one-line failure paths.
  template <typename T>
  T Fail(QUOError error, T value) {
    m_nLastError = error;
    return value;
  }

  // ---- Transform helpers ----
  void DeleteAlphaBlendBuffers();
  unsigned long MixColors(unsigned long a, unsigned long b, int percent);
  unsigned long FadeColor(unsigned long color, int factor);
  int GetColorDifRatio(unsigned long a, unsigned long b);
  int Random(int range);
  unsigned long GetPixel(int x, int y, unsigned char* data = nullptr, int width = 0,
                         int height = 0);
  int PutPixel(int x, int y, unsigned long color, unsigned char* data = nullptr, int width = 0,
               int height = 0);
  int TestColorMatch(unsigned long a, unsigned long b, unsigned long tolerance);

  // ---- Fields ----
  CNBitmap* m_pBitmaps[kSlotCount];
  int m_nLoopCount;
  int m_nJPEGCompressionFactor;
  bool m_bGIFErrorDiffusion;
  QUOError m_nLastError;
  unsigned long m_nGIFBkColor;
  // Blend state: frame index of the last blend (-1 none), the four work buffers (image,
  // mask, background, output; each allocated with new[] and freed with delete[]), their
  // capacity in bytes, the row count, the resized flag.
  int m_nLastBlendIndex;
  unsigned char* m_pBlendImage;
  unsigned char* m_pBlendMask;
  unsigned char* m_pBlendBackground;
  unsigned char* m_pBlendOutput;
  size_t m_nBlendCapacity;
  int m_nBlendRows;
  int m_nBlendResized;

 private:
  HBITMAP LoadAnimatedGifFile(const BYTE* data, DWORD size, BitmapType type, int index);
  HBITMAP StoreDecoded(const BYTE* topDownPacked, int width, int height, BitmapType type,
                       int index);
  HBITMAP LoadResourceBytes(HINSTANCE module, int resourceId, BitmapType type, int index);
  HBITMAP LoadViaTempFile(const BYTE* data, DWORD size, BitmapType type, int index);
  int SaveFrame(const WCHAR* fileName, BitmapFormat format, BitmapType type, int index);
  int SaveGif(const WCHAR* fileName, BitmapType type, int index);
};
