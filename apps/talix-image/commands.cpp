// talix-image's commands on one image store: the picture is loaded into BT_IMAGE (every
// frame of an animated GIF), resized frames go to BT_IMAGE_RESIZED, and the store's own
// writers save the result.
//
// Limits: --dither resamples with strength 4 and level 128. The input's format is
// recognised by its first bytes (GIF, PNG, JPEG, BMP), else by its extension (ota/otb for
// OTA bitmaps, anything else WBMP); the store's readers choose by a three-letter
// extension, so other names are read through a temporary copy.
#include "apps/talix-image/commands.h"

#include "image/NBitmapUtil.h"

#include <windows.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace talix::tools {
namespace {

using Store = CNBitmapUtil;

constexpr int kDitherStrength = 4;
constexpr int kDitherLevel = 128;

std::u16string Wide(const std::string& path) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return std::u16string();
  std::u16string wide(size_t(length), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
  wide.resize(size_t(length - 1));
  return wide;
}

const char* Reason(Store::QUOError error) {
  switch (error) {
    case Store::QUO_ERR_FILE_OPEN: return "cannot open the file";
    case Store::QUO_ERR_BAD_FORMAT: return "malformed or unsupported picture";
    case Store::QUO_ERR_NO_IMAGE: return "no such frame";
    case Store::QUO_ERR_TOO_LARGE: return "picture too large for the format";
    case Store::QUO_ERR_FILE_WRITE: return "cannot write the file";
    case Store::QUO_ERR_ENCODE: return "the encoder failed";
    case Store::QUO_ERR_PNG: return "PNG error";
    case Store::QUO_ERR_FILE_READ: return "cannot read the whole file";
    case Store::QUO_ERR_GDI: return "pixel transfer failed";
    default: return "not a picture this tool reads";
  }
}

int Failure(const std::string& file, const char* reason) {
  std::fprintf(stderr, "talix-image: %s: %s\n", file.c_str(), reason);
  return 1;
}

std::string DetectFormat(const std::string& path);

// The store's readers choose by a three-letter extension. A file named otherwise
// ("x.jpeg", "x.wbmp", no extension) is read through a temporary copy whose extension
// names its detected format; the copy is removed when the scope ends.
class ReadableCopy {
 public:
  explicit ReadableCopy(const std::string& path) : path_(path) {
    const size_t dot = path.rfind('.'), slash = path.rfind('/');
    const bool threeLetters = dot != std::string::npos && (slash == std::string::npos || dot > slash) &&
                              path.size() - dot - 1 == 3;
    if (threeLetters) return;
    const std::string format = DetectFormat(path);
    const char* extension = format == "jpeg" ? "jpg" : format == "wbmp" ? "wbm" : format.c_str();
    std::error_code error;
    const std::filesystem::path copy = std::filesystem::temp_directory_path(error) /
        ("talix-image-" + std::to_string(getpid()) + "." + extension);
    if (error || !std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, error))
      return;
    copy_ = copy.string();
    path_ = copy_;
  }
  ~ReadableCopy() {
    std::error_code ignored;
    if (!copy_.empty()) std::filesystem::remove(copy_, ignored);
  }
  ReadableCopy(const ReadableCopy&) = delete;
  ReadableCopy& operator=(const ReadableCopy&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_, copy_;
};

// Loads every frame of the input into BT_IMAGE; false (with the message printed) on failure.
bool Load(Store& store, const std::string& path, int* status) {
  if (!std::ifstream(path, std::ios::binary)) {
    *status = Failure(path, "cannot open the file");
    return false;
  }
  const ReadableCopy readable(path);
  if (!store.NLoadBitmap(Wide(readable.path()).c_str(), Store::BT_IMAGE, 0)) {
    *status = Failure(path, Reason(store.GetLastError()));
    return false;
  }
  return true;
}

int Save(Store& store, const Options& options, Store::BitmapType slot, int index) {
  const int written = store.SaveBitmap(Wide(options.output).c_str(),
                                       static_cast<Store::BitmapFormat>(options.format), slot, index);
  return written > 0 ? 0 : Failure(options.output, Reason(store.GetLastError()));
}

std::string DetectFormat(const std::string& path) {
  unsigned char head[8] = {};
  std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(head), sizeof head);
  if (std::memcmp(head, "GIF8", 4) == 0) return "gif";
  if (std::memcmp(head, "\x89PNG", 4) == 0) return "png";
  if (head[0] == 0xFF && head[1] == 0xD8) return "jpeg";
  if (head[0] == 'B' && head[1] == 'M') return "bmp";
  Format format;
  return FormatFromPath(path, &format) && format == Format::kOta ? "ota" : "wbmp";
}

}  // namespace

int RunInfo(const Options& options, std::FILE* out) {
  auto store = std::make_unique<Store>();
  int status = 0;
  if (!Load(*store, options.input, &status)) return status;
  std::string delays;
  for (int i = 0; i < Store::kMaxFrames; ++i) {
    if (!store->GetBitmapHandle(Store::BT_IMAGE, i)) continue;
    if (!delays.empty()) delays += ',';
    delays += std::to_string(store->GetFrameDelay(Store::BT_IMAGE, i));
  }
  const int loopCount = store->SetLoopCount(0);  // the setter reports the value it replaces
  std::fprintf(out, "format: %s\nwidth: %d\nheight: %d\nframes: %d\ndelays-ms: %s\nloop-count: %d\n",
               DetectFormat(options.input).c_str(), store->GetBitmapWidth(Store::BT_IMAGE),
               store->GetBitmapHeight(Store::BT_IMAGE), store->GetNumberOfBitmaps(Store::BT_IMAGE),
               delays.c_str(), loopCount);
  return 0;
}

int RunConvert(const Options& options) {
  auto store = std::make_unique<Store>();
  int status = 0;
  if (!Load(*store, options.input, &status)) return status;
  if (!store->GetBitmapHandle(Store::BT_IMAGE, options.frame))
    return Failure(options.input, "no such frame");
  if (options.quality >= 0) store->SetJPEGCompressionFactor(options.quality);
  store->SetGIFErrorDiffusion(options.diffusion);
  return Save(*store, options, Store::BT_IMAGE, options.frame);
}

int RunResize(const Options& options) {
  auto store = std::make_unique<Store>();
  int status = 0;
  if (!Load(*store, options.input, &status)) return status;
  const int width = store->GetBitmapWidth(Store::BT_IMAGE);
  const int height = store->GetBitmapHeight(Store::BT_IMAGE);
  for (int i = 0; i < Store::kMaxFrames; ++i) {
    if (!store->GetBitmapHandle(Store::BT_IMAGE, i)) continue;
    if (options.dither) {
      store->ResizeDither(Store::BT_IMAGE, i, 0, 0, width, height, options.width, options.height,
                          kDitherStrength, kDitherLevel);
    } else {
      store->Resize(Store::BT_IMAGE, i, options.width, options.height, 1);
    }
    if (!store->GetBitmapHandle(Store::BT_IMAGE_RESIZED, i))
      return Failure(options.input, Reason(store->GetLastError()));
    store->SetFrameDelay(Store::BT_IMAGE_RESIZED, i, store->GetFrameDelay(Store::BT_IMAGE, i));
  }
  return Save(*store, options, Store::BT_IMAGE_RESIZED, store->GetFirstBitmapIndex(Store::BT_IMAGE_RESIZED));
}

}  // namespace talix::tools
