#include "tools/EncodeOptions.h"

namespace zevrin {

void CEncodeOptions::Normalise() {
    if (width > 0) width = width / 2 * 2;
    if (height > 0) height = height / 2 * 2;
}

} // namespace zevrin
