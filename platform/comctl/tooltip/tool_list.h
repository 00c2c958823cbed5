// The tools of one tooltip: what TTM_ADDTOOLW registered, read from and written back to
// TOOLINFOW records of any of the record's documented sizes.
//
// A tool is known by its (hwnd, uId) pair. Its text is a copy of the caller's string, a
// request for text at display time (LPSTR_TEXTCALLBACKW), or a string resource id loaded
// from hinst at display time.
#pragma once

#include <windows.h>
#include <win/commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace talix::comctl::tooltip {

enum class TextKind { String, Callback, Resource };

struct ToolKey {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  bool operator==(const ToolKey& o) const { return hwnd == o.hwnd && id == o.id; }
};

struct Tool {
  UINT flags = 0;
  ToolKey key;
  RECT rect{};
  HINSTANCE hinst = nullptr;
  TextKind kind = TextKind::String;
  std::u16string text;
  UINT resourceId = 0;
  LPARAM lParam = 0;

  // The window whose mouse input belongs to this tool: uId with TTF_IDISHWND, else hwnd.
  HWND Window() const;
  // Whether client point `pt` of `window` lies on this tool.
  bool Contains(HWND window, POINT pt) const;
  // Takes the text fields (lpszText with hinst) of a record.
  void SetText(LPCWSTR text, HINSTANCE instance);
};

// The bytes of a TOOLINFOW the caller gave: 0 when cbSize is below the first version, so
// the record must be refused; else the size of the largest version that fits in cbSize.
UINT ToolInfoSize(const TTTOOLINFOW* info);

// A tool made from a record (whose size ToolInfoSize accepted).
Tool ToolFromInfo(const TTTOOLINFOW& info, UINT size);

// Writes the tool into the caller's record, only the fields within `size`. The text is
// copied into lpszText when the caller gave a buffer there (at most 80 characters, the
// size such buffers have); a callback tool gives LPSTR_TEXTCALLBACKW, a resource tool its
// id as lpszText.
void ToolToInfo(const Tool& tool, TTTOOLINFOW* info, UINT size);

class ToolList {
 public:
  Tool* Find(const ToolKey& key);
  const Tool* At(size_t index) const;
  size_t Count() const { return tools_.size(); }
  void Add(Tool tool) { tools_.push_back(std::move(tool)); }
  // Removes the tool; false when there is none with that key.
  bool Remove(const ToolKey& key);
  // The first tool (in the order added) under client point `pt` of `window`.
  std::optional<ToolKey> HitTest(HWND window, POINT pt) const;
  // Whether another tool of this list still needs `window`'s mouse input subclassed.
  bool SubclassesWindow(HWND window) const;
  const std::vector<Tool>& All() const { return tools_; }

 private:
  std::vector<Tool> tools_;
};

}  // namespace talix::comctl::tooltip
