#pragma once
// The browser windows' shared profile: cookies, cache and site storage in
// the folder "tarayici" of the home the program works in, so a login lasts
// from one run to the next and private homes (tests) stay apart. It lives
// while a browser window uses it.
#include <memory>

class QWebEngineProfile;

namespace lirvan {

std::shared_ptr<QWebEngineProfile> SharedBrowserProfile();

}  // namespace lirvan
