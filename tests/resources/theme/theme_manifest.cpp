#include "theme_manifest.h"

#include <fstream>
#include <sstream>

namespace themetest {

const Entry* Manifest::Find(const std::string& name) const {
  for (const Entry& e : entries)
    if (e.name == name) return &e;
  return nullptr;
}

std::vector<const Entry*> Manifest::OfKind(const std::string& kind) const {
  std::vector<const Entry*> found;
  for (const Entry& e : entries)
    if (e.kind == kind) found.push_back(&e);
  return found;
}

static Entry ReadEntry(const std::string& kind, std::istringstream& in) {
  Entry e;
  e.kind = kind;
  in >> e.name >> e.id;
  if (kind == "PICTURE") {
    int alpha = 0;
    in >> e.type >> e.width >> e.height >> alpha >> e.file;
    e.alpha = alpha != 0;
  } else if (kind == "ANIMATION") {
    in >> e.width >> e.height >> e.frames >> e.file;
  } else if (kind == "COLOR") {
    in >> e.r >> e.g >> e.b;
  } else if (kind == "FONT") {
    in >> e.file;
  } else if (kind == "ICON") {
    std::string word;
    while (in >> word) {
      size_t x = word.find('x');
      if (x == std::string::npos) {
        e.file = word;
      } else {
        e.sizes.push_back(std::stoi(word.substr(0, x)));
      }
    }
  }
  return e;
}

Manifest ReadManifest(const std::filesystem::path& path) {
  Manifest m;
  m.folder = path.parent_path();
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream in(line);
    std::string kind;
    in >> kind;
    if (kind == "PROBE") {
      Probe p;
      in >> p.name >> p.x >> p.y >> p.r >> p.g >> p.b >> p.a;
      m.probes.push_back(p);
    } else if (!kind.empty()) {
      m.entries.push_back(ReadEntry(kind, in));
    }
  }
  return m;
}

std::map<std::string, int> ReadIdsHeader(const std::filesystem::path& path) {
  std::map<std::string, int> ids;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream in(line);
    std::string directive, name, number;
    in >> directive >> name >> number;
    bool numeric = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    if (directive == "#define" && name.rfind("ID", 0) == 0 && numeric) ids[name] = std::stoi(number);
  }
  return ids;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream out;
  out << file.rdbuf();
  return out.str();
}

}  // namespace themetest
