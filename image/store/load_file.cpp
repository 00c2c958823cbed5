// Loading from files: the dispatch on the file extension, the picture path (BMP, JPEG,
// still GIF), the extension rules and the quick format check.
//
// Choices where the file gives no answer: pictures read through the picture path are
// filled with white before a GIF's opaque pixels are drawn when the store has no GIF
// background colour; frames of every reader are 24-bit DIB sections.
#include "image/NBitmapUtil.h"
#include "image/codec/bmp_reader.h"
#include "image/codec/file_bytes.h"
#include "image/codec/gif_reader.h"
#include "image/codec/jpeg_reader.h"

#include <png.h>

#include <cstring>

using talix::image::FileStatus;
using talix::image::Picture;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// The text after the last dot, NULL when there is none.
const WCHAR* LastExtension(const WCHAR* name) {
  const WCHAR* dot = nullptr;
  for (const WCHAR* p = name; *p; ++p)
    if (*p == u'.') dot = p;
  return dot ? dot + 1 : nullptr;
}

bool DecodePicture(const BYTE* data, size_t size, uint32_t fill, Picture* out) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return talix::image::DecodeBmp(data, size, out);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return talix::image::DecodeJpeg(data, size, out);
  talix::image::GifImage gif;
  if (!talix::image::DecodeGifFirstImage(data, size, &gif)) return false;
  if (!out->Allocate(gif.screenWidth, gif.screenHeight, fill)) return false;
  talix::image::DrawGifImage(gif, out);
  return true;
}

}  // namespace

HBITMAP CNBitmapUtil::NLoadBitmap(const WCHAR* fileName, BitmapType type, int index) {
  if (!fileName) return Fail<HBITMAP>(QUO_ERR_PARAM1, nullptr);
  if (!IsSlot(type)) return Fail<HBITMAP>(QUO_ERR_NO_SLOT, nullptr);
  if (!IsFrameIndex(index)) return Fail<HBITMAP>(QUO_ERR_PARAM3, nullptr);
  DeleteBitmap(type, index);
  return LoadBitmapFromFile(fileName, type, index);
}

HBITMAP CNBitmapUtil::LoadBitmapFromFile(const WCHAR* fileName, BitmapType type, int index) {
  m_nLastError = QUO_OK;
  const WCHAR* extension = fileName ? LastExtension(fileName) : nullptr;
  if (!extension || std::char_traits<WCHAR>::length(extension) != 3) return nullptr;
  if (!_wcsicmp(extension, u"JPG") || !_wcsicmp(extension, u"BMP"))
    return LoadBitmapUsingStream(fileName, type, index);
  if (!_wcsicmp(extension, u"PNG")) return LoadPNGFile(fileName, type, index);
  if (!_wcsicmp(extension, u"GIF")) {
    std::vector<uint8_t> bytes;
    if (talix::image::ReadFileBytes(fileName, &bytes) != FileStatus::kOk) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!block) return nullptr;
    if (void* p = GlobalLock(block)) {
      std::memcpy(p, bytes.data(), bytes.size());
      GlobalUnlock(block);
    }
    HBITMAP frame = LoadGifPicture(block, DWORD(bytes.size()), type, index);
    GlobalFree(block);
    return frame ? frame : LoadBitmapUsingStream(bytes.data(), bytes.size(), type, index);
  }
  HBITMAP frame = LoadWBMPFile(fileName, type, index);
  return frame ? frame : LoadOTABMPFile(fileName, type, index);
}

HBITMAP CNBitmapUtil::LoadBitmapUsingStream(const WCHAR* fileName, BitmapType type, int index) {
  std::vector<uint8_t> bytes;
  if (talix::image::ReadFileBytes(fileName, &bytes) != FileStatus::kOk) return nullptr;
  return LoadBitmapUsingStream(bytes.data(), bytes.size(), type, index);
}

HBITMAP CNBitmapUtil::LoadBitmapUsingStream(const BYTE* data, size_t size, BitmapType type, int index) {
  Picture picture;
  const uint32_t fill = m_nGIFBkColor == 0xFFFFFFFF ? kWhite : uint32_t(m_nGIFBkColor);
  if (!data || !DecodePicture(data, size, fill, &picture)) return nullptr;
  const QUOError before = m_nLastError;
  HBITMAP frame = StoreDecoded(picture.bgr.data(), picture.width, picture.height, type, index);
  m_nLastError = before;  // this path reports failure by its result only
  return frame;
}

int CNBitmapUtil::FilenameExtensionCompare(const WCHAR* fileName, const WCHAR* extension) {
  if (!fileName || !*fileName || !extension) return -1;
  // Any dot but one in the first position starts a candidate extension.
  for (const WCHAR* p = fileName + 1; *p; ++p)
    if (*p == u'.' && !_wcsicmp(p + 1, extension)) return 0;
  return -1;
}

int CNBitmapUtil::IsFileValid(const WCHAR* fileName) {
  uint8_t head[10];
  if (talix::image::ReadFilePrefix(fileName, head, sizeof head) < long(sizeof head)) return 0;
  if (!FilenameExtensionCompare(fileName, u"gif")) {
    if (std::memcmp(head, "GIF", 3) != 0) return 0;
    std::vector<uint8_t> bytes;
    return talix::image::ReadFileBytes(fileName, &bytes) == FileStatus::kOk && !bytes.empty() &&
           bytes.back() == 0x3B;
  }
  if (!FilenameExtensionCompare(fileName, u"bmp")) return head[0] == 'B' && head[1] == 'M';
  if (!FilenameExtensionCompare(fileName, u"png")) return png_sig_cmp(head, 0, 8) == 0;
  if (!FilenameExtensionCompare(fileName, u"jpg") || !FilenameExtensionCompare(fileName, u"jpeg"))
    return head[0] == 0xFF && head[1] == 0xD8;
  return 1;
}
