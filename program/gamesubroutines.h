#pragma once
// The four shared subroutines of the logic game. Each ends with a RETURN, which the
// dispatcher carries out.
#include "program/gamesteps.h"

namespace orvela {

void runsubroutine(subroutine which, gamestate& g);

}  // namespace orvela
