#include "shell/lirvan_app.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <algorithm>
#include <stdexcept>

#include "shell/about_dialog.h"
#include "shell/childfrm.h"
#include "shell/date_time.h"
#include "shell/mainfrm.h"
#include "shell/punctuation_setting.h"
#include "shell/settings.h"
#include "shell/settings_dialog.h"
#include "shell/speaking_rate.h"
#include "shell/spoken_list_dialog.h"
#include "shell/text.h"
#include "speech/engine/speech_engine.h"

namespace lirvan {

namespace {

CLirvanApp* g_app = nullptr;

// A desktop that talks all day keeps only the newest minute of the
// recording of everything played; nothing in the program saves it.
constexpr int kRecordingSeconds = 60;

void Remove(std::string& text, char ch) { std::erase(text, ch); }

// What the engine takes: plain segments stay plain, so markup written in a
// mail or a page is read as the characters it is.
SegmentedText ForEngine(SpeechText text) { return std::move(text.segments()); }

}  // namespace

CLirvanApp::CLirvanApp(const AppOptions& options, ToolRegistry tools)
    : log_(options.speechLogPath.empty() ? SpeechLog() : SpeechLog(options.speechLogPath)) {
  if (!options.speechLogPath.empty() && !log_.IsOpen()) {
    throw std::runtime_error("cannot open the speech log " + options.speechLogPath);
  }
  m_pEngine = std::make_unique<SpeechEngine>(
      EngineOptions{.audio = options.audio, .recordingSeconds = kRecordingSeconds,
                    .useThreads = true, .home = options.home});
  for (ToolDescriptor& tool : tools.templates) templates_.push_back({std::move(tool)});
  dialogTools_ = std::move(tools.dialogs);
  g_app = this;
}

CLirvanApp::~CLirvanApp() {
  m_pMainFrame.reset();
  m_pEngine.reset();
  if (g_app == this) g_app = nullptr;
}

CLirvanApp& CLirvanApp::Get() { return *g_app; }

std::string CLirvanApp::GreetingText() {
  return Cp(
      "Lirvan konuşan masaüstü. Lirvan geliştiricileri tarafından hazırlanmıştır. "
      "Yardım için Fe 1 tuşuna basıp açılan ekranı tab tuşu ile dinleyiniz Yardım "
      "dosyasında arama yapmak için CTRL Fe tuşlarını kullabilirsiniz");
}

bool CLirvanApp::InitInstance() {
  QCoreApplication::setOrganizationName(QStringLiteral("Lirvan geliştiricileri"));
  QCoreApplication::setApplicationName(QStringLiteral("Lirvan"));
  m_pMainFrame = std::make_unique<CMainFrame>(*this);
  m_pMainFrame->show();

  const ProgramSettings settings = ReadSettings();
  m_bReadGreeting = settings.readGreeting;
  m_bEchoCharacters = settings.echoCharacters;
  m_bReadPunctuation = settings.readPunctuation;
  m_bAnnounceCapitals = settings.Later(kCapitalsSetting).value_or("0") == "1" ? 1 : 0;
  SetPunctuationReading(m_bReadPunctuation);
  // A level between none and all is on a later line.
  const PunctuationLevel level = StoredPunctuationLevel(settings);
  if (level != PunctuationLevel::None) levelWhenOn_ = level;
  if (level != GetPunctuationLevel()) m_pEngine->SetPunctuationLevel(level);
  SetSpeakingRate(RateFromSetting(settings.Later(kRateSetting)));
  // Without the greeting the user still hears that the program is there.
  Speak(m_bReadGreeting == 1 ? GreetingText() : Cp("Lirvan hazır"));
  return true;
}

void CLirvanApp::Speak(SpeechText text) {
  for (SpeechSegment& segment : text.segments()) {
    Remove(segment.text, '\n');
    Remove(segment.text, '\r');
  }
  const std::string joined = text.Joined();
  log_.Write("Speak", joined);
  if (recording_) history_.Add(joined);
  m_pEngine->Speak(ForEngine(std::move(text)));
}

void CLirvanApp::SpeakAndWait(SpeechText text) {
  for (SpeechSegment& segment : text.segments()) {
    std::replace(segment.text.begin(), segment.text.end(), '\n', ' ');
    Remove(segment.text, '\r');
  }
  const std::string joined = text.Joined();
  log_.Write("SpeakAndWait", joined);
  if (recording_) history_.Add(joined);
  m_pEngine->SpeakAndWait(ForEngine(std::move(text)));
}

void CLirvanApp::SpeakDirect(std::string text) {
  Remove(text, '\n');
  Remove(text, '\r');
  log_.Write("SpeakDirect", text);
  if (recording_) history_.Add(text);
  m_pEngine->SpeakDirect(text);
}

void CLirvanApp::SpeakVerbatim(std::string text) {
  log_.Write("SpeakVerbatim", text);
  m_pEngine->SpeakVerbatim(text);
}

void CLirvanApp::SpeakCharacter(char ch) {
  log_.Write("SpeakCharacter", std::string(1, ch));
  m_pEngine->SpeakCharacter(ch);
}

void CLirvanApp::StopSpeaking() {
  log_.Write("StopSpeaking", {});
  m_pEngine->Stop();
}

void CLirvanApp::SetPunctuationReading(int flag) {
  const int lowByte = flag & 0xFF;
  log_.Write("SetPunctuationReading", std::to_string(lowByte));
  m_pEngine->SetPunctuationReading(lowByte);
  if (lowByte != 0) levelWhenOn_ = PunctuationLevel::All;  // the switch on is all
}

int CLirvanApp::IsPunctuationReading() const { return m_pEngine->IsPunctuationReading() ? 1 : 0; }

void CLirvanApp::SetPunctuationLevel(PunctuationLevel level) {
  log_.Write("SetPunctuationLevel", std::string(PunctuationLevelKey(level)));
  m_pEngine->SetPunctuationLevel(level);
  m_bReadPunctuation = level == PunctuationLevel::None ? 0 : 1;
  if (level != PunctuationLevel::None) levelWhenOn_ = level;
  // Kept for the next start, the first line's switch beside the level;
  // nothing is said when the file cannot be written.
  WriteSettings(m_bReadGreeting, m_bEchoCharacters, m_bReadPunctuation);
  WritePunctuationLevel(level);
}

PunctuationLevel CLirvanApp::GetPunctuationLevel() const { return m_pEngine->GetPunctuationLevel(); }

CToolView* CLirvanApp::OpenTool(int templateIndex) {
  if (!m_pMainFrame || templateIndex < 0 || templateIndex >= static_cast<int>(templates_.size())) {
    return nullptr;
  }
  CMdiChild* child = templates_[static_cast<std::size_t>(templateIndex)].tool.singleInstance
                         ? m_pMainFrame->FindToolWindow(templateIndex)
                         : nullptr;
  if (child != nullptr) {
    m_pMainFrame->mdiArea()->setActiveSubWindow(child);
  } else {
    child = m_pMainFrame->OpenNewDocument(templateIndex);
  }
  return child != nullptr ? child->view() : nullptr;
}

void CLirvanApp::RunSettingsDialog(QWidget* parent) {
  SettingsDialog dialog(*this, parent);
  dialog.exec();
}

int CLirvanApp::SpeakingRate() const { return m_pEngine->Rate(); }

int CLirvanApp::SetSpeakingRate(int percent) { return m_pEngine->SetRate(percent); }

bool CLirvanApp::StoreSpeakingRate() {
  return WriteLaterSetting(kRateSetting, std::to_string(SpeakingRate()));
}

void CLirvanApp::StepSpeakingRate(int delta) {
  const RateChange change = StepRate(SpeakingRate(), delta);
  SetSpeakingRate(change.rate);
  // Nothing is said when the file cannot be written: the rate holds for
  // this session.
  StoreSpeakingRate();
  Speak(RateSentence(change));
}

unsigned char* CLirvanApp::OpenFlag(int templateIndex) {
  switch (templateIndex) {
    case kComposerTemplate:
      return &m_bSendMailOpen;
    case kReaderTemplate:
      return &m_bReceiveMailOpen;
    default:
      return nullptr;
  }
}

bool CLirvanApp::OnCommand(Command command) {
  switch (command) {
    case Command::About:
      RunAboutBox();
      return true;
    case Command::StopReading:
      StopSpeaking();
      return true;
    case Command::PrintSetup: {
      QPrinter printer;
      QPageSetupDialog dialog(&printer, m_pMainFrame.get());
      dialog.exec();
      return true;
    }
    case Command::RateUp:
      StepSpeakingRate(kRateStep);
      return true;
    case Command::RateDown:
      StepSpeakingRate(-kRateStep);
      return true;
    case Command::RepeatLast:
      RepeatLast();
      return true;
    case Command::SpeechHistory:
      ShowSpeechHistory();
      return true;
    case Command::DateTime:
      AnnounceDateTime();
      return true;
    case Command::Exit:
      if (m_pMainFrame) m_pMainFrame->close();
      return true;
    default:
      return false;
  }
}

void CLirvanApp::SpeakUnrecorded(SpeechText text) {
  recording_ = false;
  Speak(std::move(text));
  recording_ = true;
}

void CLirvanApp::RepeatLast() {
  const std::optional<std::string> last = history_.Last();
  SpeakUnrecorded(last ? Plain(*last) : SpeechText(Cp("Henüz bir şey söylenmedi")));
}

void CLirvanApp::ShowSpeechHistory() {
  std::vector<QString> lines;
  for (const std::string& entry : history_.NewestFirst()) lines.push_back(FromCp1254(entry));
  SpokenListDialog dialog([this](const std::string& line) { SpeakUnrecorded(Plain(line)); },
                          QStringLiteral("Konuşma geçmişi"), lines, m_pMainFrame.get());
  dialog.SetOpeningSentence([this, count = lines.size()] {
    recording_ = false;
    SpeakAndWait(Cp("Konuşma geçmişi, ") + std::to_string(count) + Cp(" ileti"));
    recording_ = true;
  });
  dialog.exec();
}

void CLirvanApp::AnnounceDateTime() { Speak(DateTimeSentenceNow()); }

void CLirvanApp::RunAboutBox() {
  CAboutDlg dialog(*this, m_pMainFrame.get());
  dialog.exec();
}

}  // namespace lirvan
