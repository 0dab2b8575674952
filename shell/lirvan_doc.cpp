#include "shell/lirvan_doc.h"

#include "shell/command_ids.h"
#include "shell/doc_templates.h"
#include "shell/lirvan_app.h"
#include "shell/mainfrm.h"
#include "shell/text.h"

namespace lirvan {

bool CLirvanDoc::OnCommand(int command) {
  CMainFrame& frame = *app_.m_pMainFrame;
  switch (command) {
    case cmd::kOpenBrowser:
      frame.OpenNewDocument(kBrowserTemplate);
      return true;
    case cmd::kOpenEditor:
      frame.OpenNewDocument(kEditorTemplate);
      return true;
    case cmd::kOpenComposer:
      OpenOrActivate(app_.m_bSendMailOpen, kComposerTemplate, "Posta gönderme");
      return true;
    case cmd::kOpenReader:
      OpenOrActivate(app_.m_bReceiveMailOpen, kReaderTemplate, "Posta okuma");
      return true;
    default:
      return false;
  }
}

void CLirvanDoc::OpenOrActivate(unsigned char& openFlag, int templateIndex,
                                const char* messageUtf8) {
  CMainFrame& frame = *app_.m_pMainFrame;
  if (openFlag == 0) {
    openFlag = 1;
    frame.OpenNewDocument(templateIndex);
    return;
  }
  // Found by its template rather than by the title "...1": after the tool
  // was closed and opened again its title carries a higher number.
  if (frame.ActivateToolWindow(templateIndex)) app_.Speak(Cp(messageUtf8));
}

}  // namespace lirvan
