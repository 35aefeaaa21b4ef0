// Everything is in test_pictures.h; this name stays for the files that include it.
#include "support/test_pictures.h"
