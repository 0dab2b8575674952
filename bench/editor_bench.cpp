// The editor on a 1 MB text: one keystroke (echo started through the real
// engine on the null device, text updated and laid out), Space (the word
// spoken too) and Enter (the line break put in place), with the whole
// rewrite of the text on Enter for comparison; and importing a 100-page
// PDF, by the own extractor (zlib PDF) and through Poppler (a PDF made by
// LibreOffice, where the own extractor finds nothing).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

#include "bench/bench_home.h"
#include "editor/document_import.h"
#include "editor/editor.h"
#include "editor/pdf_text.h"
#include "editor/rich_text.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "speech/engine/speech_engine.h"

namespace lirvan {
namespace {

// The host as the desktop is, on the real engine with the null device.
class EngineHost : public ToolHost, public Speaker {
 public:
  EngineHost() : engine_(EngineOptions{.audio = AudioBackendKind::Null}) {}
  Speaker& speaker() override { return *this; }
  bool EchoCharacters() const override { return true; }
  void RunSettingsDialog(QWidget*) override {}
  void Speak(SpeechText text) override { engine_.Speak(text.Joined()); }
  void SpeakAndWait(SpeechText text) override { engine_.SpeakAndWait(text.Joined()); }
  void SpeakDirect(std::string text) override { engine_.SpeakDirect(text); }
  void SpeakVerbatim(std::string text) override { engine_.SpeakVerbatim(text); }
  void SpeakCharacter(char ch) override { engine_.SpeakCharacter(ch); }
  void StopSpeaking() override { engine_.Stop(); }
  void SetPunctuationReading(int flag) override { engine_.SetPunctuationReading(flag); }
  int IsPunctuationReading() const override { return engine_.IsPunctuationReading() ? 1 : 0; }

 private:
  SpeechEngine engine_;
};

EngineHost& Host() {
  static EngineHost host;
  return host;
}

QString Megabyte() {
  static const QString text = FromCp1254(bench::TurkishText(1 << 20));
  return text;
}

// An editor shown with the text, the caret in the middle of a line.
std::unique_ptr<Editor> ShownEditor() {
  auto editor = std::make_unique<Editor>(Host());
  editor->resize(800, 600);
  editor->show();
  editor->richText()->setPlainText(Megabyte());
  editor->richText()->SetCaretPosition(editor->richText()->Length() / 2);
  QCoreApplication::processEvents();
  return editor;
}

void Key(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
  QCoreApplication::processEvents();
}

void BM_KeystrokeOn1MB(benchmark::State& state) {
  auto editor = ShownEditor();
  for (auto _ : state) Key(editor->richText(), Qt::Key_K, QStringLiteral("k"));
}
BENCHMARK(BM_KeystrokeOn1MB)->Unit(benchmark::kMillisecond);

void BM_SpaceOn1MB(benchmark::State& state) {
  auto editor = ShownEditor();
  for (auto _ : state) {
    state.PauseTiming();
    Key(editor->richText(), Qt::Key_K, QStringLiteral("k"));
    state.ResumeTiming();
    Key(editor->richText(), Qt::Key_Space, QStringLiteral(" "));
  }
}
BENCHMARK(BM_SpaceOn1MB)->Unit(benchmark::kMillisecond);

void BM_EnterOn1MB(benchmark::State& state) {
  auto editor = ShownEditor();
  for (auto _ : state) Key(editor->richText(), Qt::Key_Return, QStringLiteral("\r"));
}
BENCHMARK(BM_EnterOn1MB)->Unit(benchmark::kMillisecond);

// What Enter would cost if the whole text were written back with the line
// break in it.
void BM_EnterAsWholeRewriteOn1MB(benchmark::State& state) {
  auto editor = ShownEditor();
  CRichText* text = editor->richText();
  for (auto _ : state) {
    const int caret = text->CaretPosition();
    QString all = text->UnicodeText();
    all.insert(text->ToDocument(caret), QLatin1Char('\n'));
    text->setPlainText(all);
    text->SetCaretPosition(caret + 2);
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_EnterAsWholeRewriteOn1MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// 100 pages of about 45 lines, each page its own zlib content stream.
std::string HundredPagePdf() {
  std::string pdf = "%PDF-1.4\n";
  const std::string line = "(Bu bir deneme sat\xFDr\xFD, say\xFDlar ve kelimeler.) Tj 0 -14 TD\n";
  for (int page = 0; page < 100; ++page) {
    std::string content = "BT\n/F1 12 Tf\n72 720 TD\n";
    for (int i = 0; i < 45; ++i) content += line;
    content += "ET\nQ\n";
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(content.data()), static_cast<uLong>(content.size()), 6);
    packed.resize(size);
    pdf += std::to_string(page + 1) + " 0 obj\n<< /Length " + std::to_string(size) +
           " /Filter /FlateDecode >>\nstream\r\n" + packed + "\r\nendstream\nendobj\n";
  }
  return pdf + "%%EOF\n";
}

void Import(benchmark::State& state, const QString& path, std::size_t& characters) {
  DocumentImporter importer(Host());
  for (auto _ : state) {
    const auto imported = importer.Import(path);
    if (!imported) {
      state.SkipWithError("nothing imported");
      return;
    }
    characters = static_cast<std::size_t>(imported->text.size());
  }
}

void BM_Import100PagePdfOwnExtractor(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("yuz.pdf"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(HundredPagePdf()));
  file.close();
  std::size_t characters = 0;
  Import(state, path, characters);
  state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(BM_Import100PagePdfOwnExtractor)->Unit(benchmark::kMillisecond);

// A 100-page document of today, made by LibreOffice once for the run.
QString LibreOfficePdf(const QTemporaryDir& dir) {
  const QString source = dir.filePath(QStringLiteral("yuz.txt"));
  QFile text(source);
  text.open(QIODevice::WriteOnly);
  const QByteArray line = QStringLiteral("Bu bir deneme satırı, ğüşıöçİ sayılar 12345 ve kelimeler.\n").toUtf8();
  for (int i = 0; i < 100 * 48; ++i) text.write(line);
  text.close();
  QProcess office;
  office.start(QStringLiteral("soffice"),
               {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(dir.filePath("profil")).toString(),
                QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                QStringLiteral("--outdir"), dir.path(), source});
  office.waitForFinished(180000);
  return dir.filePath(QStringLiteral("yuz.pdf"));
}

void BM_Import100PagePdfThroughPoppler(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = LibreOfficePdf(dir);
  if (!QFile::exists(path)) {
    state.SkipWithError("LibreOffice made no PDF");
    return;
  }
  std::size_t characters = 0;
  Import(state, path, characters);
  state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(BM_Import100PagePdfThroughPoppler)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace lirvan

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  lirvan::bench::EnterVoiceHome();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
