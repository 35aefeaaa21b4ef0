// Everything is in fixtures.h; this name stays for the files that include it.
#include "support/fixtures.h"
