#include "dictionary_instance.h"

Ttwo* two = nullptr;
