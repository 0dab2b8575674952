#include "shell/date_time.h"

#include <array>
#include <string_view>

#include "shell/text.h"

namespace lirvan {

namespace {

constexpr std::array<std::string_view, 12> kMonths{
    "Ocak", "Şubat", "Mart", "Nisan", "Mayıs", "Haziran",
    "Temmuz", "Ağustos", "Eylül", "Ekim", "Kasım", "Aralık"};
constexpr std::array<std::string_view, 7> kWeekdays{
    "Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"};

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// "%#d %B %Y %A"
std::string DatePiece(const std::tm& t) {
  if (!InRange(t.tm_mon, 0, 11) || !InRange(t.tm_wday, 0, 6)) return {};
  return std::to_string(t.tm_mday) + ' ' + Cp(kMonths[std::size_t(t.tm_mon)]) + ' ' +
         std::to_string(t.tm_year + 1900) + ' ' + Cp(kWeekdays[std::size_t(t.tm_wday)]);
}

// "%#H %#M"
std::string TimePiece(const std::tm& t) {
  return std::to_string(t.tm_hour) + ' ' + std::to_string(t.tm_min);
}

}  // namespace

std::string DateTimeSentence(const std::tm& local) {
  return Cp("bugün ") + DatePiece(local) + Cp(" saat şu anda ") + TimePiece(local);
}

std::string DateTimeSentenceNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    return Cp("bugün ") + Cp(" saat şu anda ");
  }
  return DateTimeSentence(local);
}

}  // namespace lirvan
