#include "varnel/version.h"

namespace varnel::api {

const char* version() {
    return VARNEL_VERSION;
}

}  // namespace varnel::api
