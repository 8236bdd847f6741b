// The monitors as the toolkit knows them, in device and logical pixels, the primary first.
#pragma once

#include <vector>

#include "core/Monitors.h"

namespace huebird {

std::vector<Monitor> QtMonitors();

}  // namespace huebird
