// CQuorLib: the library's process-wide state (instances, OS flags, scale factors, layout)
// and its family of stateless bitmap operations. Static-only; every member is exported.
// The state half is implemented in frame/, the bitmap operations in draw/.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CQuorLib {
 public:
  CQuorLib& operator=(const CQuorLib&) { return *this; }  // no instance data to copy

  // State and start-up.
  static void Init(HINSTANCE hInst, HINSTANCE hInstRes);
  static HINSTANCE GetInstance();
  static void SetInstance(HINSTANCE hInst);
  static HINSTANCE GetResourceInstance();
  static void SetResourceInstance(HINSTANCE hInstRes);
  static bool IsWindows9x();
  static bool IsWindowsXP();
  static void SetAutoScale(bool autoScale);
  static bool GetAutoScale();
  static double GetScaleX();
  static double GetScaleY();
  static DWORD SetLayout(DWORD layout);
  static DWORD GetLayout();

  // Bitmap operations. New results belong to the caller.
  static HBITMAP BlendBitmap(HBITMAP mask, HBITMAP foreground, HBITMAP background);
  static HBITMAP BlendBitmapOffset(HBITMAP mask, HBITMAP source, HBITMAP background, POINT offset);
  static HBITMAP BlendBitmapColor(HBITMAP mask, HBITMAP background, COLORREF color);
  static HBITMAP TileBitmap(HBITMAP tile, const SIZE& size);
  static HRGN BitmapToRegion(HBITMAP bitmap, unsigned long keyColor, unsigned long tolerance);
  static int TestColorMatch(unsigned long a, unsigned long b, unsigned long tolerance);
  static HBITMAP CreateColorBitmap(COLORREF color, SIZE size);
  static HBITMAP CreateMirroredBitmap(HBITMAP bitmap);
  static int MirrorBitmap(HBITMAP bitmap);
  static HICON CreateMirroredIcon(HICON icon);
  static HBITMAP IconToBitmap(HICON icon, unsigned int drawIconFlags);

  // Process-wide state, exported as data.
  static HINSTANCE m_hInst;
  static HINSTANCE m_hInstRes;
  static bool m_IsWindows9x;
  static bool m_IsWindowsXP;
  static bool m_IsAutoScale;
  static double m_ScaleX;
  static double m_ScaleY;
  static DWORD m_dwLayout;

 protected:
  static void CheckOS();
  static void BlenderFunc(unsigned char* mask, unsigned char* foreground, unsigned char* background,
                          unsigned char* output, unsigned long count);
  static BITMAPINFO* CreateBitmapInfoStruct(HBITMAP bitmap);
};
