#include "runtime/soundcommands.h"

namespace orvela {

std::uint8_t lastoctave = 1;
std::int32_t lastduration = 1;

}  // namespace orvela
