#include "speech/synthesis/error_hook.h"

#include <mutex>

#include "platform/cp1254.h"

namespace lirvan {
namespace {
std::mutex gHookMutex;
std::function<void(int)>& Hook() {
  static std::function<void(int)> hook;
  return hook;
}
}  // namespace

void ReportEngineError(int code) {
  std::function<void(int)> hook;
  {
    std::lock_guard lock(gHookMutex);
    hook = Hook();
  }
  if (hook) hook(code);
}

void SetEngineErrorHook(std::function<void(int)> hook) {
  std::lock_guard lock(gHookMutex);
  Hook() = std::move(hook);
}

std::string EngineErrorText(int code) {
  const char* text = nullptr;
  switch (code) {
    case 1: case 5: case 9: case 12: case -4: text = "Bilinmeyen bir hata olustu."; break;
    case 2: text = "Hatali Donanim Numarasi"; break;
    case 3: text = "Donanim Kullanilir Hale Getirilemedi"; break;
    case 4:
      text = "Ses Kartiniz Su An Kullanim Halinde. Karti Kullanan Diger Programlari Kapatip "
             "Tekrar Deneyiniz";
      break;
    case 6: text = "Ses Donaniminiza Ait Sürücü (Driver) Bulunamadi"; break;
    case 7: text = "Hafiza Kullanim Hatasi"; break;
    case 8: text = "Fonksiyon Ses Donanimi Tarafindan Desteklenmiyor"; break;
    case 10: text = "Ses Fonksiyonuna Yanlis Belirteç(Flag) Girildi"; break;
    case 11: text = "Ses Fonksiyonuna Yanlis Parametre Girildi"; break;
    case -5: text = "Hatali Dosya"; break;
    case -1: text = "Dosya Bulunamadi"; break;
    default: return {};
  }
  return Utf8ToCp1254(text);
}

}  // namespace lirvan
