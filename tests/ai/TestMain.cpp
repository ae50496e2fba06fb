#include "tests/CoreApplicationMain.h"
