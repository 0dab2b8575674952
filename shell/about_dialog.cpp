#include "shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/lirvan_app.h"
#include "shell/owned.h"
#include "shell/text.h"

namespace lirvan {

const char* CAboutDlg::CreditsText() {
  return "Lirvan, konuşan Türkçe masaüstü. Sürüm 0.1. "
         "Lirvan geliştiricileri tarafından hazırlanmıştır. "
         "Konuşma motoru, metin düzenleyici, internet gezgini, posta araçları ve "
         "hesap makinesi bu programın parçalarıdır.";
}

CAboutDlg::CAboutDlg(CLirvanApp& app, QWidget* parent) : QDialog(parent), app_(app) {
  setWindowTitle(QStringLiteral("Lirvan Hakkında"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  auto* credits = MakeOwnedByParent<QPlainTextEdit>(this);
  credits->setReadOnly(true);
  credits->setPlainText(QString::fromUtf8(CreditsText()));
  layout->addWidget(credits);
  auto* buttons = MakeOwnedByParent<QDialogButtonBox>(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  app_.Speak(Cp(CreditsText()));
}

CAboutDlg::~CAboutDlg() { app_.StopSpeaking(); }

}  // namespace lirvan
