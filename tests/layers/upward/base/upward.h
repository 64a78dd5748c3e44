#pragma once
// An upward include that the layer check must refuse.
#include "reports/year_tables.h"
