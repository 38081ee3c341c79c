#include "settings/record_texts.h"

namespace quillet {

const unsigned kRecordTextIds[kRecordTextCount] = {2047, 2048, 2039, 2040, 2041, 2042, 2044,
                                                   2045, 2046, 2035, 2036, 2037, 2038};

}  // namespace quillet
