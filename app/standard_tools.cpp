#include "app/standard_tools.h"

#include "browser/lirvan_view.h"
#include "calculator/ccalculator.h"
#include "editor/editor.h"
#include "mail/receivemail.h"
#include "mail/sendmail.h"
#include "shell/text.h"
#include "shell/tool_host.h"

namespace lirvan {

namespace {

template <typename View>
std::function<std::unique_ptr<CToolView>(ToolHost&)> Factory() {
  return [](ToolHost& host) -> std::unique_ptr<CToolView> { return std::make_unique<View>(host); };
}

}  // namespace

ToolRegistry StandardTools() {
  ToolRegistry tools;
  tools.templates.push_back({MenuId::Editor, QStringLiteral("Metin Düzenleyici"), false, false,
                             {}, Factory<Editor>()});
  tools.templates.push_back({MenuId::Reader, QStringLiteral("Posta Okuma"), true, false,
                             Cp("Posta okuma"), Factory<ReceiveMail>()});
  tools.templates.push_back({MenuId::Composer, QStringLiteral("Posta Gönderme"), true, false,
                             Cp("Posta gönderme"), Factory<SendMail>()});
  tools.templates.push_back({MenuId::Browser, QStringLiteral("Internet Gezgini"), false, true,
                             {}, Factory<CLirvanView>()});
  tools.dialogs.push_back({Command::Calculator, [](ToolHost& host, QWidget* parent) {
                             CCalculator dialog(host.speaker(), parent);
                             dialog.exec();
                           }});
  return tools;
}

}  // namespace lirvan
