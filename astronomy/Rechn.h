#pragma once
// Chief header of the astronomical computation.
#include "astronomy/observation_state.h"
