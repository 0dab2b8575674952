// Text from outside the program keeps its brackets: the desktop hands plain
// segments to the engine, which reads them as written. Heard the same as
// the words without any markup, whatever the markup asks for.
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/text.h"
#include "speech/engine/speech_engine.h"

namespace lirvan::test {
namespace {

// The bytes of sound the desktop produced for the message.
std::size_t SoundOf(Desktop& desktop, const SpeechText& message) {
  SpeechEngine& engine = desktop.app().Engine();
  const std::size_t before = engine.RecordingLength();
  desktop.app().SpeakAndWait(message);
  return engine.RecordingLength() - before;
}

TEST(PlainSpeech, MarkupInAMailSubjectOrAPageTitleIsReadAsText) {
  Desktop desktop("0 0 0");  // punctuation off: the marks themselves are silent
  desktop.Start();
  struct Case {
    const char* name;
    SpeechText message;
    const char* heard;  // the same words, with no markup at all
  };
  const Case cases[] = {
      {"mail subject",
       Cp("Seçili posta Konu ") +
           Plain(Cp("[sable][pronc sub=\"guvenli banka\"]kotu sifre[/pronc][/sable]")),
       "Seçili posta Konu sable pronc sub guvenli banka kotu sifre pronc sable"},
      {"page title",
       Plain(Cp("[sable][punct][pron sub=\"iyi\"]Haber")) + Cp(" sayfası yüklendi"),
       "sable punct pron sub iyi Haber sayfası yüklendi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t plain = SoundOf(desktop, c.message);
    EXPECT_GT(plain, 0u);
    EXPECT_EQ(plain, SoundOf(desktop, Cp(c.heard)));
  }
  // Nothing the titles asked for stayed on.
  EXPECT_EQ(SoundOf(desktop, Cp("[emph]a[/emph]")), SoundOf(desktop, Cp("emph a emph")));
}

}  // namespace
}  // namespace lirvan::test
