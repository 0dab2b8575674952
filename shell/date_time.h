#pragma once
// The date-and-time sentence, with Turkish month and weekday names that do
// not depend on an installed system locale. CP1254.
#include <ctime>
#include <string>

namespace lirvan {

// "bugün 8 Aralık 2024 Pazar saat şu anda 14 30"
std::string DateTimeSentence(const std::tm& local);

// The sentence for the current local time; a piece that cannot be computed
// is empty.
std::string DateTimeSentenceNow();

}  // namespace lirvan
