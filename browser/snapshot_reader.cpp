#include "browser/snapshot_reader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "speech/units/char_class.h"
#include "shell/text.h"

namespace lirvan {

namespace {

constexpr int kFieldsPerElement = 9;
constexpr int kLastKind = static_cast<int>(ElementKind::Heading);

std::string Stored(const QJsonValue& value) { return StoredText(ToCp1254(value.toString())); }

std::optional<PageElement> ReadElement(const QJsonValue& value) {
  const QJsonArray row = value.toArray();
  if (row.size() != kFieldsPerElement) return std::nullopt;
  PageElement element;
  element.tag = ToCp1254(row[0].toString());
  element.text = Stored(row[1]);
  element.name = std::string(Trim(Stored(row[2])));
  element.type = ToCp1254(row[3].toString());
  const int kind = row[4].toInt(-1);
  if (kind < 0 || kind > kLastKind) return std::nullopt;
  element.kind = static_cast<ElementKind>(kind);
  element.checked = row[5].toInt() != 0;
  element.level = row[6].toInt();
  element.parent = row[7].toInt(-1);
  element.uid = static_cast<std::uint32_t>(row[8].toDouble());
  return element;
}

QJsonDocument Parse(const QString& json) { return QJsonDocument::fromJson(json.toUtf8()); }

}  // namespace

std::optional<PageSnapshot> ReadSnapshot(const QString& json) {
  const QJsonDocument document = Parse(json);
  if (!document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  PageSnapshot snapshot;
  snapshot.generation = static_cast<std::uint32_t>(object[QLatin1String("g")].toDouble());
  if (snapshot.generation == 0) return std::nullopt;
  snapshot.changeCount = static_cast<std::uint32_t>(object[QLatin1String("c")].toDouble());
  snapshot.isHtml = object[QLatin1String("h")].toBool();
  snapshot.hasBody = object[QLatin1String("b")].toBool();
  snapshot.title = Stored(object[QLatin1String("t")]);
  snapshot.text = TurkishLower(Trim(Stored(object[QLatin1String("x")])));
  snapshot.formCount = object[QLatin1String("f")].toInt();
  const QJsonArray rows = object[QLatin1String("e")].toArray();
  snapshot.elements.reserve(static_cast<std::size_t>(rows.size()));
  for (const QJsonValue& row : rows) {
    std::optional<PageElement> element = ReadElement(row);
    if (!element) return std::nullopt;
    snapshot.elements.push_back(std::move(*element));
  }
  LinkChildren(snapshot);
  return snapshot;
}

std::optional<TitleInfo> ReadTitle(const QString& json) {
  const QJsonDocument document = Parse(json);
  if (!document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  return TitleInfo{Stored(object[QLatin1String("t")]), object[QLatin1String("h")].toBool()};
}

std::optional<FieldInfo> ReadFocusedField(const QString& json) {
  const QJsonDocument document = Parse(json);
  if (!document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  FieldInfo field;
  field.password = object[QLatin1String("k")].toInt() == 2;
  const QString value = object[QLatin1String("v")].toString();
  field.value = ToCp1254(value);
  const int caret = object[QLatin1String("s")].toInt(-1);
  // The caret counts UTF-16 units; CP1254 has one byte per character.
  field.caret = caret < 0 ? -1 : static_cast<int>(ToCp1254(value.left(caret)).size());
  return field;
}

std::string WordBeforeCaret(const FieldInfo& field) {
  std::string_view before(field.value);
  if (field.caret >= 0 && static_cast<std::size_t>(field.caret) < before.size()) {
    before = before.substr(0, static_cast<std::size_t>(field.caret));
  }
  // The blank just typed may or may not be in the field yet.
  if (!before.empty() && before.back() == ' ') before.remove_suffix(1);
  const std::size_t blank = before.find_last_of(" \t\n");
  return std::string(blank == std::string_view::npos ? before : before.substr(blank + 1));
}

}  // namespace lirvan
