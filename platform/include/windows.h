// The Windows interfaces as this platform provides them: Unicode only, 64-bit layout.
#pragma once

#include <win/types.h>
#include <win/errors.h>
#include <win/base.h>
#include <win/wstr.h>
#include <win/memory.h>
#include <win/file.h>
#include <win/registry.h>
#include <win/sync.h>
#include <win/sysinfo.h>
#include <win/module.h>
#include <win/gdi.h>
#include <win/region.h>
#include <win/sysmetrics.h>
#include <win/icon.h>
#include <win/text.h>
#include <win/user.h>
#include <win/paint.h>
#include <win/input.h>
#include <win/sysparams.h>
#include <win/dialog.h>
#include <win/menu.h>
#include <win/controls.h>
#include <win/exception.h>
