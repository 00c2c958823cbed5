// CQuorLib's process-wide state: the exported static data members.
#include "frame/QuorLib.h"

HINSTANCE CQuorLib::m_hInst = nullptr;
HINSTANCE CQuorLib::m_hInstRes = nullptr;
bool CQuorLib::m_IsWindows9x = false;
bool CQuorLib::m_IsWindowsXP = false;
bool CQuorLib::m_IsAutoScale = false;
double CQuorLib::m_ScaleX = 1.0;
double CQuorLib::m_ScaleY = 1.0;
DWORD CQuorLib::m_dwLayout = 0;
