#pragma once
// A platform header using Qt: the check must refuse it.
#include <QString>
