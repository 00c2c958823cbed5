// The generator's manifest of the theme module (one line per resource and per probe)
// and the ids of theme_ids.h, read the way the tests compare them.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace themetest {

struct Entry {
  std::string kind;  // PICTURE, ICON, ANIMATION, COLOR or FONT
  std::string name;
  int id = 0;
  std::string type;  // PICTURE: PNG or BITMAP
  int width = 0, height = 0;  // PICTURE, ANIMATION
  int frames = 0;             // ANIMATION
  bool alpha = false;
  int r = 0, g = 0, b = 0;   // COLOR
  std::string file;          // relative to the manifest; FONT: the font's file name
  std::vector<int> sizes;    // ICON: square sizes
};

struct Probe {
  std::string name;
  int x = 0, y = 0;
  int r = 0, g = 0, b = 0, a = 0;
};

struct Manifest {
  std::filesystem::path folder;
  std::vector<Entry> entries;
  std::vector<Probe> probes;
  const Entry* Find(const std::string& name) const;
  std::vector<const Entry*> OfKind(const std::string& kind) const;
};

// Empty (no entries) when the file cannot be read.
Manifest ReadManifest(const std::filesystem::path& path);
// Every "#define ID... <number>" of the header.
std::map<std::string, int> ReadIdsHeader(const std::filesystem::path& path);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace themetest
