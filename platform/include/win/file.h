// Files, folders, paths and the Windows folder.
#pragma once

#include <win/base.h>
