#pragma once
// The application object: owns the speech engine for the program's life,
// offers every tool the speak family, holds the settings and the two
// single-instance flags of the mail tools, and handles the commands that
// reach it last.
#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "shell/app_options.h"
#include "shell/doc_templates.h"
#include "shell/speaker.h"
#include "shell/speech_history.h"
#include "shell/speech_log.h"
#include "shell/tool_host.h"
#include "shell/tool_registry.h"

namespace lirvan {

class CMainFrame;
class SpeechEngine;

class CLirvanApp : public QObject, public Speaker, public ToolHost {
  Q_OBJECT

 public:
  // Builds the engine on the voice under options.home. A QApplication must
  // exist. The tools are those the program registers, in template order.
  CLirvanApp(const AppOptions& options, ToolRegistry tools);
  ~CLirvanApp() override;
  CLirvanApp(const CLirvanApp&) = delete;
  CLirvanApp& operator=(const CLirvanApp&) = delete;

  // The one application object, as every tool fetches it.
  static CLirvanApp& Get();

  // Creates and shows the main frame, reads the settings, hands the
  // punctuation switch to the engine and greets. False when the frame
  // cannot be made.
  bool InitInstance();

  // The speak family; texts are CP1254.
  void Speak(SpeechText text) override;
  void SpeakAndWait(SpeechText text) override;
  void SpeakDirect(std::string text) override;
  void SpeakVerbatim(std::string text) override;
  void SpeakCharacter(char ch) override;
  void StopSpeaking() override;
  void SetPunctuationReading(int flag) override;
  int IsPunctuationReading() const override;
  // Sets the engine's level and stores it in the settings file.
  void SetPunctuationLevel(PunctuationLevel level) override;
  PunctuationLevel GetPunctuationLevel() const override;
  PunctuationLevel PunctuationLevelWhenOn() const override { return levelWhenOn_; }

  // ToolHost.
  Speaker& speaker() override { return *this; }
  bool EchoCharacters() const override { return m_bEchoCharacters != 0; }
  bool AnnounceCapitals() const override { return m_bAnnounceCapitals != 0; }
  void RunSettingsDialog(QWidget* parent) override;
  CToolView* OpenTool(int templateIndex) override;

  // The speaking rate in percent (50..400). Setting it applies from the
  // next word on; storing writes the later line "hiz=" of the settings.
  int SpeakingRate() const;
  int SetSpeakingRate(int percent);
  bool StoreSpeakingRate();
  // Alt+Up / Alt+Down: one step, said at the new rate, and stored.
  void StepSpeakingRate(int delta);

  // The last stop of a routed command.
  bool OnCommand(Command command);

  void AnnounceDateTime();
  void RunAboutBox();
  // The last message again, and the window listing the newest ones.
  void RepeatLast();
  void ShowSpeechHistory();
  const SpeechHistory& History() const { return history_; }

  std::vector<CDocTemplate>& Templates() { return templates_; }
  const std::vector<DialogTool>& DialogTools() const { return dialogTools_; }
  // The flag that keeps a single-instance tool single, or null.
  unsigned char* OpenFlag(int templateIndex);
  SpeechEngine& Engine() { return *m_pEngine; }

  // The spoken greeting, string 57669 (CP1254).
  static std::string GreetingText();

  // The log is opened first and closed last, so that every word said while
  // the program lives is in it.
 private:
  SpeechLog log_;

 public:
  std::unique_ptr<SpeechEngine> m_pEngine;
  unsigned char m_bSendMailOpen = 0;
  unsigned char m_bReceiveMailOpen = 0;
  unsigned char m_bReadGreeting = 0;
  unsigned char m_bEchoCharacters = 0;
  unsigned char m_bReadPunctuation = 0;
  // A later line of the settings file, "buyukharf=1".
  unsigned char m_bAnnounceCapitals = 0;

 private:
  // Speaks without entering the history (what the history itself reads).
  void SpeakUnrecorded(SpeechText text);

  std::vector<CDocTemplate> templates_;
  std::vector<DialogTool> dialogTools_;
  SpeechHistory history_;
  bool recording_ = true;
  PunctuationLevel levelWhenOn_ = PunctuationLevel::All;

 public:
  // Destroyed first: closing the frame closes every tool window.
  std::unique_ptr<CMainFrame> m_pMainFrame;
};

}  // namespace lirvan
