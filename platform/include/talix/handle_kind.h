// The kinds of handle the platform hands out. Each kind has its own table.
#pragma once

namespace talix {

enum class HandleKind : unsigned {
  Window = 1,
  Menu,
  Accelerator,
  Hook,
  GdiObject,     // DCs, bitmaps, brushes, pens, fonts, regions, palettes
  Icon,          // icons and cursors
  Module,        // code and data-file modules
  RegistryKey,
  KernelObject,  // files, events, threads, mutexes, find handles, ...
  Memory,        // moveable global/local memory
  Resource,      // HRSRC
  FontResource,  // AddFontMemResourceEx handles
  Timer,
  Monitor,
  ImageList,
  Other,
  Count
};

}  // namespace talix
