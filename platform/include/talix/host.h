// The host API: not Windows, our own. Used by tests, benchmarks and the demo to set up
// and observe the platform: screen, clock, input, registry, captures, handle counts.
#pragma once

#include <talix/host_capture.h>
#include <talix/host_clock.h>
#include <talix/host_fonts.h>
#include <talix/host_handles.h>
#include <talix/host_input.h>
#include <talix/host_modal.h>
#include <talix/host_modules.h>
#include <talix/host_paths.h>
#include <talix/host_present.h>
#include <talix/host_registry.h>
#include <talix/host_screen.h>
#include <talix/host_sysinfo.h>
#include <talix/host_sysmetrics.h>
#include <talix/host_windows.h>
