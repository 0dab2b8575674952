#include "editor/editor.h"
