// The program's entry point includes this from here; the code lives in ui/common/.
#pragma once

#include "ui/common/Translation.h"
