#include "mail/attachment_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace lirvan {

namespace {

constexpr int kMaxNameBytes = 200;  // with room for " (999)" under the usual 255
constexpr int kMaxCopies = 1000;

bool IsUnsafeCharacter(char32_t ch) {
  if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F)) return true;
  // Marks and overrides that make a name read in another order than it is
  // stored, and invisible characters.
  static constexpr std::array<char32_t, 8> kSingles{0x061C, 0x200B, 0x200C, 0x200D,
                                                    0x200E, 0x200F, 0xFEFF, 0xFFFD};
  for (char32_t single : kSingles) {
    if (ch == single) return true;
  }
  return (ch >= 0x202A && ch <= 0x202E) || (ch >= 0x2066 && ch <= 0x2069);
}

bool IsDeviceName(const QString& name) {
  const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
  static const QStringList kDevices{QStringLiteral("CON"), QStringLiteral("PRN"),
                                    QStringLiteral("AUX"), QStringLiteral("NUL")};
  if (kDevices.contains(stem)) return true;
  return stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) ||
                              stem.startsWith(QLatin1String("LPT"))) &&
         stem[3] >= QLatin1Char('0') && stem[3] <= QLatin1Char('9');
}

QString Shortened(const QString& name) {
  if (name.toUtf8().size() <= kMaxNameBytes) return name;
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const QString extension = dot > 0 && name.size() - dot <= 10 ? name.sliced(dot) : QString();
  QString stem = name.first(name.size() - extension.size());
  while (!stem.isEmpty() && (stem + extension).toUtf8().size() > kMaxNameBytes) stem.chop(1);
  if (!stem.isEmpty() && stem.back().isHighSurrogate()) stem.chop(1);
  return stem + extension;
}

QString NumberedName(const QString& name, int number) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const QString suffix = QStringLiteral(" (%1)").arg(number);
  if (dot <= 0) return name + suffix;
  return name.first(dot) + suffix + name.sliced(dot);
}

}  // namespace

QString SafeAttachmentName(const QString& name) {
  QString base = name;
  const qsizetype slash = std::max(base.lastIndexOf(QLatin1Char('/')),
                                   base.lastIndexOf(QLatin1Char('\\')));
  if (slash >= 0) base = base.sliced(slash + 1);
  QString clean;
  for (const char32_t ch : base.toUcs4()) {
    if (!IsUnsafeCharacter(ch)) clean += QString::fromUcs4(&ch, 1);
  }
  clean.remove(QLatin1Char(':'));
  clean = clean.trimmed();
  // A leading dot hides a file; ".." climbs; trailing dots vanish elsewhere.
  while (clean.startsWith(QLatin1Char('.')) || clean.startsWith(QLatin1Char(' '))) clean.remove(0, 1);
  while (clean.endsWith(QLatin1Char('.')) || clean.endsWith(QLatin1Char(' '))) clean.chop(1);
  if (clean.isEmpty()) clean = QStringLiteral("ek");
  if (IsDeviceName(clean)) clean.prepend(QLatin1Char('_'));
  return Shortened(clean);
}

bool AcceptedAttachment(const QString& name) {
  static const QStringList kExtensions{
      QStringLiteral(".pdf"), QStringLiteral(".doc"), QStringLiteral(".txt"),
      QStringLiteral(".docx"), QStringLiteral(".odt"), QStringLiteral(".rtf"),
      QStringLiteral(".xls"), QStringLiteral(".xlsx"), QStringLiteral(".ods")};
  for (const QString& extension : kExtensions) {
    if (name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}

std::optional<QString> SaveAttachment(const QString& folder, const QString& safeName,
                                      const QByteArray& data) {
  QDir dir(folder);
  if (!dir.exists() && !QDir().mkpath(folder)) return std::nullopt;
  for (int number = 1; number <= kMaxCopies; ++number) {
    const QString candidate = number == 1 ? safeName : NumberedName(safeName, number);
    QFile file(dir.filePath(candidate));
    // NewOnly creates the file exclusively: an existing file or link is
    // never opened, so nothing is overwritten and no link is followed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (QFileInfo::exists(file.fileName()) || QFileInfo(file.fileName()).isSymLink()) continue;
      return std::nullopt;
    }
    if (file.write(data) != data.size() || !file.flush()) {
      file.remove();
      return std::nullopt;
    }
    return candidate;
  }
  return std::nullopt;
}

}  // namespace lirvan
