#include "editor/pdf_poppler.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>

namespace lirvan {

namespace {

// Poppler reports damaged files on standard error; the user hears the
// outcome instead.
void Quiet(const std::string& /*message*/, void* /*closure*/) {}

}  // namespace

std::optional<std::string> PopplerPdfText(const std::string& path) {
  poppler::set_debug_error_function(Quiet, nullptr);
  const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
  if (!document || document->is_locked()) return std::nullopt;
  std::string text;
  for (int index = 0; index < document->pages(); ++index) {
    const std::unique_ptr<poppler::page> page(document->create_page(index));
    if (!page) continue;
    const poppler::byte_array utf8 = page->text().to_utf8();
    if (!text.empty()) text += '\n';
    text.append(utf8.begin(), utf8.end());
  }
  return text;
}

}  // namespace lirvan
