#pragma once
// Unit selection reaching up into the front end: the check must refuse it.
#include "frontend/lexicon.h"
