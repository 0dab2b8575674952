#include "gui_support.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "app/standard_tools.h"
#include "shell/mainfrm.h"

namespace lirvan::test {

namespace {

// One QApplication for the whole test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "shell_gui_tests";
    static char* argv[] = {name, nullptr};
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // web views
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

std::vector<LogLine> ParseLog(const std::string& path) {
  std::vector<LogLine> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      lines.push_back({line, {}});
    } else {
      lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
  }
  return lines;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const LogLine& line) {
  return out << line.operation << "\\t" << line.text;
}

Desktop::Desktop(std::optional<std::string> settings) {
  namespace fs = std::filesystem;
  home_ = dir_.path().toStdString();
  const fs::path source = fs::path(LIRVAN_TEST_VOICE_HOME) / "veriler";
  const fs::path target = fs::path(home_) / "veriler";
  fs::create_directories(target);
  for (const auto& entry : fs::directory_iterator(source)) {
    if (entry.path().filename() == "ayarlar.dat") continue;
    fs::create_symlink(entry.path(), target / entry.path().filename());
  }
  if (settings) std::ofstream(target / "ayarlar.dat", std::ios::binary) << *settings;
  logPath_ = home_ + "/speech.log";
  previousFolder_ = QDir::currentPath();
  QDir::setCurrent(dir_.path());
}

Desktop::~Desktop() {
  app_.reset();
  ProcessEvents();
  QDir::setCurrent(previousFolder_);
}

void Desktop::Start() {
  AppOptions options;
  options.home = home_;
  options.audio = AudioBackendKind::Null;
  options.speechLogPath = logPath_;
  app_ = std::make_unique<CLirvanApp>(options, StandardTools());
  ASSERT_TRUE(app_->InitInstance());
  app_->m_pMainFrame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app_->m_pMainFrame.get()));
  ProcessEvents();
}

CMainFrame& Desktop::frame() { return *app_->m_pMainFrame; }

std::vector<LogLine> Desktop::Log() const { return ParseLog(logPath_); }

std::vector<LogLine> Desktop::Since() const {
  std::vector<LogLine> all = Log();
  if (mark_ >= all.size()) return {};
  return {all.begin() + static_cast<std::ptrdiff_t>(mark_), all.end()};
}

void Desktop::Mark() { mark_ = Log().size(); }

std::string Desktop::ReadFile(const std::string& relativePath) const {
  std::ifstream in(home_ + "/" + relativePath, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Closed windows go as the event loop would delete them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void Press(int key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = QApplication::activeWindow();
  ASSERT_NE(target, nullptr) << "no widget takes keys";
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  ProcessEvents();
}

void TypeText(const QString& text) {
  for (const QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, QString(ch));
  }
  ProcessEvents();
}

void WaitUntilReadyForKeys(QWidget& dialog) {
  if (!QTest::qWaitForWindowActive(&dialog)) ADD_FAILURE() << "the dialog never became active";
  // Keys go to the focused control, which the dialog gets a moment later.
  for (int i = 0; i < 200; ++i) {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && focused->window() == &dialog) break;
    QTest::qWait(10);
  }
}

bool WithModal(const std::function<void()>& trigger, const std::function<void(QWidget&)>& inside) {
  bool seen = false;
  QTimer poll;
  int ticks = 0;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      if (++ticks > 500) poll.stop();  // no dialog after 5 s: give up
      return;
    }
    poll.stop();
    seen = true;
    WaitUntilReadyForKeys(*modal);
    inside(*modal);
    ProcessEvents();
    if (QApplication::activeModalWidget() == modal) {
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    }
  });
  poll.start();
  trigger();
  poll.stop();
  ProcessEvents();
  return seen;
}

}  // namespace lirvan::test
