// lirvan: the talking desktop. Qt takes its own options first; then
// --home DIR (the folder holding veriler/, where the program works),
// --audio default|null|clocked and --speech-log FILE.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <unistd.h>
#include <exception>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/standard_tools.h"
#include "shell/app_options.h"
#include "shell/lirvan_app.h"

#ifndef LIRVAN_DEFAULT_HOME
#define LIRVAN_DEFAULT_HOME "."
#endif

int main(int argc, char** argv) {
  // Chromium's sandbox refuses to start as root; the mail reader's and the
  // browser's web views would take the whole program down.
  if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  // The embedded web views share the GUI's GL context; set before the application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  const QStringList qtLeft = QCoreApplication::arguments();
  std::vector<std::string> args;
  for (qsizetype i = 1; i < qtLeft.size(); ++i) args.push_back(qtLeft[i].toStdString());

  const std::string startFolder = QDir::currentPath().toStdString();
  const lirvan::ParsedOptions parsed =
      lirvan::ParseAppOptions(args, LIRVAN_DEFAULT_HOME, startFolder);
  if (!parsed.options) {
    std::fprintf(stderr, "lirvan: %s\n%s\n", parsed.error.c_str(), lirvan::kUsage);
    return 2;
  }
  if (!QDir::setCurrent(QString::fromStdString(parsed.options->home))) {
    std::fprintf(stderr, "lirvan: cannot enter the home folder %s\n",
                 parsed.options->home.c_str());
    return 2;
  }
  try {
    lirvan::CLirvanApp app(*parsed.options, lirvan::StandardTools());
    if (!app.InitInstance()) return 1;
    return QApplication::exec();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lirvan: %s\n", error.what());
    return 1;
  }
}
