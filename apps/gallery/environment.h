// What a host of the suite sets up before it uses the library: the registry (the demo's
// .reg file beside the executable), the variant module and the language and theme modules
// found through it, and the library's state (instances, layout, scale).
#pragma once

#include "apps/gallery/scene.h"

#include <string>

namespace talix::gallery {

// Loads the demo registry and initialises the library; false with a reason in *error
// when a piece the gallery needs is missing (the theme module above all).
bool SetUpEnvironment(std::string* error);

// Sets the virtual screen's resolution and system font for the variant's scale, and the
// library's layout, scale factors and auto-scaling from them (as CQuorLib::Init computes).
void ApplyVariant(const Variant& variant);

// The host's last call into the library.
void TearDownEnvironment();

}  // namespace talix::gallery
