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
#include "shell/speech_log.h"

namespace lirvan {

class CMainFrame;
class SpeechEngine;

class CLirvanApp : public QObject {
  Q_OBJECT

 public:
  // Builds the engine, which reads veriler/ under the working directory.
  // A QApplication must exist.
  explicit CLirvanApp(const AppOptions& options);
  ~CLirvanApp() override;
  CLirvanApp(const CLirvanApp&) = delete;
  CLirvanApp& operator=(const CLirvanApp&) = delete;

  // The one application object, as every tool fetches it.
  static CLirvanApp& Get();

  // Creates and shows the main frame, reads the settings, hands the
  // punctuation switch to the engine and greets. False when the frame
  // cannot be made.
  bool InitInstance();

  // The speak family; texts are CP1254 and taken by value.
  void Speak(std::string text);
  void SpeakAndWait(std::string text);
  void SpeakDirect(std::string text);
  void SpeakVerbatim(std::string text);
  void SpeakCharacter(char ch);
  void StopSpeaking();
  void SetPunctuationReading(int flag);
  int IsPunctuationReading() const;

  // The last stop of a routed command.
  bool OnCommand(int command);

  void AnnounceDateTime();
  void RunAboutBox();

  std::vector<CDocTemplate>& Templates() { return templates_; }
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

 private:
  std::vector<CDocTemplate> templates_;

 public:
  // Destroyed first: closing the frame closes every tool window.
  std::unique_ptr<CMainFrame> m_pMainFrame;
};

}  // namespace lirvan
