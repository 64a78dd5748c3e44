// The batch companion must not include the window program.
#include "app/quorvel_app.h"
