#include "shell/doc_templates.h"

#include "browser/lirvan_view.h"
#include "editor/editor.h"
#include "mail/receivemail.h"
#include "mail/sendmail.h"
#include "shell/command_ids.h"

namespace lirvan {

namespace {

template <typename View>
std::function<std::unique_ptr<CToolView>(CLirvanApp&)> Factory() {
  return [](CLirvanApp& app) -> std::unique_ptr<CToolView> { return std::make_unique<View>(app); };
}

}  // namespace

std::vector<CDocTemplate> MakeDocTemplates() {
  std::vector<CDocTemplate> templates;
  templates.push_back({cmd::kMenuEditor, QStringLiteral("Metin Düzenleyici"), false,
                       Factory<Editor>(), 0});
  templates.push_back({cmd::kMenuReader, QStringLiteral("Posta Okuma"), false,
                       Factory<ReceiveMail>(), 0});
  templates.push_back({cmd::kMenuComposer, QStringLiteral("Posta Gönderme"), false,
                       Factory<SendMail>(), 0});
  templates.push_back({cmd::kMenuBrowser, QStringLiteral("Internet Gezgini"), true,
                       Factory<CLirvanView>(), 0});
  return templates;
}

}  // namespace lirvan
