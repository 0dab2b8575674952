#pragma once
// Small PDFs made in the test with zlib: the content streams given, each
// deflated, with the line end after "stream" the test asks for.
#include <zlib.h>

#include <string>
#include <vector>

namespace lirvan::test {

inline std::string Deflate(const std::string& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9);
  out.resize(size);
  return out;
}

inline std::string MakePdf(const std::vector<std::string>& contents,
                           const std::string& afterStream = "\r\n",
                           const std::string& beforeEnd = "\r\n") {
  std::string pdf = "%PDF-1.4\n";
  int object = 1;
  for (const std::string& content : contents) {
    const std::string packed = Deflate(content);
    pdf += std::to_string(object++) + " 0 obj\n<< /Length " + std::to_string(packed.size()) +
           " /Filter /FlateDecode >>\nstream" + afterStream + packed + beforeEnd +
           "endstream\nendobj\n";
  }
  pdf += "trailer\n<< >>\n%%EOF\n";
  return pdf;
}

}  // namespace lirvan::test
