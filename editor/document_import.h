#pragma once
// Ctrl+O's road from a chosen file to the editor's text. The kind is
// decided by the path's last three characters ("txt", "doc", "xls", "pdf",
// case-sensitive); "docx", "odt", "rtf", "xlsx" and "ods" go to the office
// suite too. Every step is spoken; a failure is said and the editor keeps
// its text.
#include <QString>
#include <optional>
#include <string>

#include "editor/office_convert.h"
#include "editor/text_file.h"

namespace lirvan {

class Speaker;

class DocumentImporter {
 public:
  enum class Kind { Text, Pdf, Writer, Calc, Unknown };
  static Kind KindOf(const QString& path);

  struct Imported {
    QString text;  // '\n' between lines
    TextFileFormat format;
    std::string note;  // said after "Dosya açıldı" (CP1254), may be empty
  };

  explicit DocumentImporter(Speaker& speaker) : speaker_(speaker) {}

  // The new text, or nothing when the editor keeps its own.
  std::optional<Imported> Import(const QString& path);

  OfficeConverter& office() { return office_; }

 private:
  std::optional<Imported> ImportText(const QString& path);
  std::optional<Imported> ImportPdf(const QString& path);
  std::optional<Imported> ImportOffice(const QString& path, OfficeConverter::Suite suite);

  Speaker& speaker_;
  OfficeConverter office_;
};

}  // namespace lirvan
