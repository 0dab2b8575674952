#pragma once
// The about box: the credits, shown and spoken; speech stops when it goes.
#include <QDialog>
#include <string>

namespace lirvan {

class CLirvanApp;

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  CAboutDlg(CLirvanApp& app, QWidget* parent = nullptr);
  ~CAboutDlg() override;

  // UTF-8.
  static const char* CreditsText();

 private:
  CLirvanApp& app_;
};

}  // namespace lirvan
