#include "dictionary/dictionary_instance.h"

Ttwo* two = nullptr;
