#pragma once
// Plain text files as a Linux user has them: read as UTF-8 when the bytes
// are valid UTF-8, otherwise as CP1254; written back in the encoding and
// with the line ends they were read with (a new text: UTF-8 and LF).
// Writes go to a temporary file in the same folder, renamed into place.
#include <QByteArray>
#include <QString>

namespace lirvan {

struct TextFileFormat {
  enum class Encoding { Utf8, Cp1254 };
  enum class LineEnd { Lf, CrLf, Cr };
  Encoding encoding = Encoding::Utf8;
  bool byteOrderMark = false;
  LineEnd lineEnd = LineEnd::Lf;
  bool operator==(const TextFileFormat&) const = default;
};

struct DecodedText {
  QString text;  // '\n' between lines
  TextFileFormat format;
};

DecodedText DecodeTextFile(const QByteArray& bytes);
// Bytes of a CP1254 file as the widget's text.
QString DecodeCp1254(const QByteArray& bytes);

// True when every character has a CP1254 byte.
bool FitsCp1254(const QString& text);

// The text in the format; a CP1254 format with characters the code page
// lacks is written as UTF-8 instead, and `format` says so afterwards.
QByteArray EncodeTextFile(const QString& text, TextFileFormat& format);

// Writes through a temporary file beside the target and a rename; the old
// file stays whole when anything fails. True only when all went well.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace lirvan
