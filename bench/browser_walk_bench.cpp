// The browser's reading logic on a page of 5,000 elements, without a
// browser: one press of the read-next key in each mode, the worst press
// (a mode that finds nothing and walks the whole page), reading the
// snapshot the page script returns, and keeping the position over a newer
// snapshot.
#include <benchmark/benchmark.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "browser/reading_walk.h"
#include "browser/snapshot_reader.h"

namespace lirvan {
namespace {

constexpr int kElements = 5000;

// A news page: sections of a heading, a paragraph with a bold word, a table
// of linked cells and a small form; kElements elements in all.
QJsonObject PageJson(int count) {
  QJsonArray rows;
  auto add = [&](const char* tag, const QString& text, int kind, int parent,
                 const char* type = "") {
    rows.append(QJsonArray{QString::fromLatin1(tag), text, QString(), QString::fromLatin1(type),
                           kind, 0, kind == 11 ? 2 : 0, parent, rows.size() + 1});
    return static_cast<int>(rows.size()) - 1;
  };
  for (int section = 0; rows.size() < count; ++section) {
    const QString n = QString::number(section);
    const int div = add("DIV", "Bölüm " + n + "\nHaberler ve spor " + n, 0, -1);
    add("H2", "Bölüm " + n, 11, div);
    const int p = add("P", "Haberler ve spor " + n, 0, div);
    add("B", "spor", 0, p);
    const int table = add("TABLE", "Ad\tSoyad\nAli\tVeli", 1, div);
    const int row = add("TR", "Ali\tVeli", 0, table);
    const int cell = add("TD", "Ali", 2, row);
    add("A", "Ali", 3, cell);
    add("TD", "Veli", 2, row);
    add("INPUT", "", 6, div, "text");
  }
  while (rows.size() > count) rows.removeLast();
  return QJsonObject{{"g", 1}, {"c", 0}, {"h", true}, {"b", true}, {"t", "Haberler"},
                     {"x", "haberler"}, {"f", 1}, {"e", rows}};
}

const QString& PageText() {
  static const QString text =
      QString::fromUtf8(QJsonDocument(PageJson(kElements)).toJson(QJsonDocument::Compact));
  return text;
}

const PageSnapshot& Page() {
  static const PageSnapshot page = *ReadSnapshot(PageText());
  return page;
}

void BM_ReadNext(benchmark::State& state) {
  const auto mode = static_cast<ReadingMode>(state.range(0));
  ReadingState reading;
  SetReadingMode(reading, mode);
  for (auto _ : state) benchmark::DoNotOptimize(ReadNext(Page(), reading));
  state.SetLabel(std::string(ReadingModes()[static_cast<std::size_t>(state.range(0))].sentence));
}
BENCHMARK(BM_ReadNext)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

// A mode that finds nothing walks every element in one press.
void BM_ReadNextWholePageWithoutAPiece(benchmark::State& state) {
  PageSnapshot page = Page();
  for (PageElement& element : page.elements) element.kind = ElementKind::Other;
  ReadingState reading;
  SetReadingMode(reading, ReadingMode::Links);
  for (auto _ : state) benchmark::DoNotOptimize(ReadNext(page, reading));
}
BENCHMARK(BM_ReadNextWholePageWithoutAPiece)->Unit(benchmark::kMicrosecond);

void BM_ReadSnapshot(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadSnapshot(PageText()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * PageText().size() * 2);
}
BENCHMARK(BM_ReadSnapshot)->Unit(benchmark::kMillisecond);

void BM_CarryOver(benchmark::State& state) {
  ReadingState reading;
  SetReadingMode(reading, ReadingMode::Sections);
  reading.m_nCursor = kElements / 2;
  for (auto _ : state) {
    ReadingState carried = reading;
    CarryOver(Page(), Page(), carried);
    benchmark::DoNotOptimize(carried);
  }
}
BENCHMARK(BM_CarryOver)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
