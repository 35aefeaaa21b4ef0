// Everything is in test_game.h; this name stays for the files that include it.
#include "support/test_game.h"
