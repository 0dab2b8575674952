#include "editor/document_import.h"

#include <QFile>
#include <QFileInfo>

#include "editor/pdf_poppler.h"
#include "editor/pdf_text.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

namespace {

// Larger texts would hold the editor up for too long to be of use.
constexpr qint64 kMaxTextFile = 64 << 20;

struct SuiteMessages {
  const char* notFound;
  const char* cannotStart;
  const char* timedOut;
  const char* failed;
};

constexpr SuiteMessages kWriter{"Vörd programı bulunamadı", "Vörd programı sisteme eksik yüklenmiş",
                                "Vörd programı yanıt vermedi", "Vörd programı belgeyi açamadı"};
constexpr SuiteMessages kCalc{"Eksel programı bulunamadı", "Eksel programı sisteme eksik yüklenmiş",
                              "Eksel programı yanıt vermedi", "Eksel programı belgeyi açamadı"};

QString Normalised(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

bool HasLetterOrDigit(const QString& text) {
  for (const QChar ch : text) {
    if (ch.isLetterOrNumber()) return true;
  }
  return false;
}

}  // namespace

DocumentImporter::Kind DocumentImporter::KindOf(const QString& path) {
  const QString last = path.right(3);
  if (last == QLatin1String("txt")) return Kind::Text;
  if (last == QLatin1String("doc")) return Kind::Writer;
  if (last == QLatin1String("xls")) return Kind::Calc;
  if (last == QLatin1String("pdf")) return Kind::Pdf;
  const QString suffix = QFileInfo(path).suffix();
  if (suffix == QLatin1String("docx") || suffix == QLatin1String("odt") ||
      suffix == QLatin1String("rtf")) {
    return Kind::Writer;
  }
  if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods")) return Kind::Calc;
  return Kind::Unknown;
}

std::optional<DocumentImporter::Imported> DocumentImporter::Import(const QString& path) {
  switch (KindOf(path)) {
    case Kind::Text:
      return ImportText(path);
    case Kind::Pdf:
      return ImportPdf(path);
    case Kind::Writer:
      return ImportOffice(path, OfficeConverter::Suite::Writer);
    case Kind::Calc:
      return ImportOffice(path, OfficeConverter::Suite::Calc);
    case Kind::Unknown:
      break;
  }
  return std::nullopt;
}

std::optional<DocumentImporter::Imported> DocumentImporter::ImportText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    speaker_.SpeakAndWait(Cp("Dosya açılamadı"));
    return std::nullopt;
  }
  if (file.size() > kMaxTextFile) {
    speaker_.SpeakAndWait(Cp("Dosya çok büyük, açılamadı"));
    return std::nullopt;
  }
  speaker_.SpeakAndWait(Cp("Dosya açılıyor"));
  DecodedText decoded = DecodeTextFile(file.readAll());
  return Imported{std::move(decoded.text), decoded.format, {}};
}

std::optional<DocumentImporter::Imported> DocumentImporter::ImportPdf(const QString& path) {
  const std::string native = QFile::encodeName(path).toStdString();
  const PdfConversion converted = PdfToText(native);
  if (!converted.opened) {
    speaker_.SpeakAndWait(Cp("Dosya açılamadı"));
    return std::nullopt;
  }
  speaker_.SpeakAndWait(Cp("Dosya açılıyor"));
  std::string note;
  if (converted.outputPath.empty()) {
    note = Cp("Metin dosyası yazılamadı");
  } else if (converted.outputPath != native + ".txt") {
    note = Cp("Metin dosyası geçici klasöre yazıldı");
  }
  if (HasReadableText(converted.text)) {
    const QByteArray bytes(converted.text.data(), static_cast<qsizetype>(converted.text.size()));
    return Imported{Normalised(DecodeCp1254(bytes)), {}, note};
  }
  // Embedded fonts with encodings of their own: Poppler knows them.
  const std::optional<std::string> poppler = PopplerPdfText(native);
  const QString text = poppler ? Normalised(QString::fromStdString(*poppler)) : QString();
  if (!HasLetterOrDigit(text)) {
    speaker_.SpeakAndWait(Cp("Belgede okunabilir metin bulunamadı"));
    return std::nullopt;
  }
  if (!converted.outputPath.empty()) {
    WriteFileAtomically(QFile::decodeName(converted.outputPath.c_str()), text.toUtf8());
  }
  const std::string way = Cp("Metin Poppler kütüphanesiyle okundu");
  return Imported{text, {}, note.empty() ? way : way + ". " + note};
}

std::optional<DocumentImporter::Imported> DocumentImporter::ImportOffice(
    const QString& path, OfficeConverter::Suite suite) {
  const SuiteMessages& says = suite == OfficeConverter::Suite::Writer ? kWriter : kCalc;
  if (!office_.IsAvailable()) {
    speaker_.Speak(Cp(says.notFound));
    return std::nullopt;
  }
  speaker_.SpeakAndWait(Cp("Dosya açılıyor"));
  OfficeConverter::Result result = office_.Convert(path, suite);
  switch (result.status) {
    case OfficeConverter::Status::Converted:
      return Imported{std::move(result.text), {}, {}};
    case OfficeConverter::Status::NotFound:
      speaker_.Speak(Cp(says.notFound));
      break;
    case OfficeConverter::Status::CannotStart:
      speaker_.Speak(Cp(says.cannotStart));
      break;
    case OfficeConverter::Status::TimedOut:
      speaker_.Speak(Cp(says.timedOut));
      break;
    case OfficeConverter::Status::Failed:
      speaker_.Speak(Cp(says.failed));
      break;
  }
  return std::nullopt;
}

}  // namespace lirvan
