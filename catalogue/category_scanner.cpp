#include "catalogue/scanners.h"
