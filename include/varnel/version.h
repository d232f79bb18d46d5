#pragma once

#include "varnel/export.h"

namespace varnel::api {

// The library's version, as `varnel --version` prints it: "1.0.0".
VARNEL_API const char* version();

}  // namespace varnel::api
