#include "browser/browser_profile.h"

#include <QDir>
#include <QWebEngineProfile>
#include <map>

namespace lirvan {

std::shared_ptr<QWebEngineProfile> SharedBrowserProfile() {
  // One profile per storage folder; the windows hold it, this only finds it.
  static std::map<QString, std::weak_ptr<QWebEngineProfile>> profiles;
  const QString folder = QDir::current().absoluteFilePath(QStringLiteral("tarayici"));
  if (std::shared_ptr<QWebEngineProfile> open = profiles[folder].lock()) return open;
  auto profile = std::make_shared<QWebEngineProfile>(QStringLiteral("Lirvan"));
  profile->setPersistentStoragePath(folder);
  profile->setCachePath(folder + QStringLiteral("/onbellek"));
  profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
  profiles[folder] = profile;
  return profile;
}

}  // namespace lirvan
