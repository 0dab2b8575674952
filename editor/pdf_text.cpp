#include "editor/pdf_text.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/cp1254.h"

namespace lirvan {

namespace {

// A PDF is read whole; past this it is not read at all.
constexpr std::uintmax_t kMaxPdfSize = 512u << 20;

bool IsDelimiter(char ch) { return ch == ' ' || ch == '\r' || ch == '\n'; }

}  // namespace

std::optional<std::string> InflateStream(std::string_view compressed, std::size_t cap) {
  z_stream stream{};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  // Ten times the compressed size first, as most streams fit; then doubled.
  std::string out(std::min(cap, std::max<std::size_t>(compressed.size() * 10, 64)), '\0');
  std::size_t produced = 0;
  int status = Z_OK;
  while (true) {
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    stream.avail_out = static_cast<uInt>(out.size() - produced);
    status = inflate(&stream, Z_FINISH);
    produced = out.size() - stream.avail_out;
    if (status == Z_STREAM_END) break;
    // Out of room is not an error: the stream goes on in a larger buffer.
    // Room left but no end means the data stopped short.
    const bool wantsRoom = (status == Z_BUF_ERROR || status == Z_OK) && stream.avail_out == 0;
    if (!wantsRoom) break;
    if (out.size() >= cap) {
      status = Z_STREAM_END;  // the cap: keep what came so far
      break;
    }
    out.resize(std::min(cap, out.size() * 2));
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  out.resize(produced);
  return out;
}

bool PdfTextScanner::WindowShows(char first, char second) const {
  return window_[12] == first && window_[13] == second && IsDelimiter(window_[11]) &&
         IsDelimiter(window_[14]);
}

// The number whose last character is at or before `position`: blanks
// skipped leftwards, then a run of digits and points; -1 when there is none.
double PdfTextScanner::NumberEndingAt(int position) const {
  while (position >= 0 && window_[static_cast<std::size_t>(position)] == ' ') --position;
  const int end = position;
  while (position >= 0) {
    const char ch = window_[static_cast<std::size_t>(position)];
    if ((ch < '0' || ch > '9') && ch != '.') break;
    --position;
  }
  if (position == end) return -1;
  const std::string run(window_.begin() + position + 1, window_.begin() + end + 1);
  return std::atof(run.c_str());
}

void PdfTextScanner::Shift(char ch) {
  std::copy(window_.begin() + 1, window_.end(), window_.begin());
  window_[14] = ch;
}

void PdfTextScanner::ExtractPdfText(std::string& out, std::string_view stream) {
  bool inText = false;
  bool inString = false;
  bool escape = false;
  for (const char ch : stream) {
    if (inText) {
      if (!inString && WindowShows('T', 'D')) {
        const double move = NumberEndingAt(10);
        if (move > 1) out += "\r\n";
        if (move < 1) out += '\t';
      }
      if (!inString && WindowShows('E', 'T')) {
        inText = false;
        out += "\r\n";
      } else if (ch == '(' && !inString && !escape) {
        inString = true;
        const double spacing = NumberEndingAt(14);
        if (spacing > 1000) {
          out += '\t';
        } else if (spacing > 100) {
          out += ' ';
        }
      } else if (ch == ')' && inString && !escape) {
        inString = false;
      } else if (inString) {
        if (ch == '\\' && !escape) {
          escape = true;
        } else {
          escape = false;
          const auto byte = static_cast<unsigned char>(ch);
          if ((byte >= 32 && byte <= 126) || (byte >= 128 && byte <= 254)) out += ch;
        }
      }
    }
    Shift(ch);
    if (!inText && WindowShows('B', 'T')) inText = true;
  }
}

std::string ExtractPdfBytes(std::string_view pdf) {
  PdfTextScanner scanner;
  std::string out;
  std::size_t current = 0;
  while (current < pdf.size()) {
    const std::string_view rest = pdf.substr(current);
    const std::size_t begin = rest.find("stream");
    const std::size_t finish = rest.find("endstream");
    if (begin == std::string_view::npos || finish == std::string_view::npos || begin >= finish) {
      break;
    }
    std::size_t start = begin + 6;
    if (rest.substr(start, 2) == "\r\n") {
      start += 2;
    } else if (rest.substr(start, 1) == "\n") {
      start += 1;  // a lone LF is as common as CR LF
    }
    std::size_t end = finish;
    if (end >= 2 && rest.substr(end - 2, 2) == "\r\n") end -= 2;
    if (end > start) {
      // One byte past the data is offered too, as it always has been;
      // zlib stops at the stream's own end.
      if (auto inflated = InflateStream(rest.substr(start, end - start + 1))) {
        scanner.ExtractPdfText(out, *inflated);
      }
    }
    current += end + 7;
  }
  return out;
}

bool HasReadableText(std::string_view cp1254) {
  for (const char ch : cp1254) {
    const char32_t code = Cp1254ToUnicode(static_cast<unsigned char>(ch));
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
        (code >= 'a' && code <= 'z') || code >= 0xC0) {
      return true;
    }
  }
  return false;
}

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxPdfSize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// A new file of our own in the temporary folder (never one that someone
// else placed there), named after the PDF.
std::string WriteToTemporaryFolder(const std::string& pdfPath, const std::string& text) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  const std::string name = std::filesystem::path(pdfPath).filename().string();
  std::string pattern = (folder / (name + "-XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return {};
  const bool written = WriteAll(fd, text);
  if (::close(fd) != 0 || !written) {
    ::unlink(pattern.c_str());
    return {};
  }
  return pattern;
}

}  // namespace

PdfConversion PdfToText(const std::string& path) {
  PdfConversion conversion;
  const std::optional<std::string> pdf = ReadWholeFile(path);
  conversion.opened = pdf.has_value();
  if (pdf) conversion.text = ExtractPdfBytes(*pdf);
  const std::string beside = path + ".txt";
  {
    std::ofstream out(beside, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(conversion.text.data(), static_cast<std::streamsize>(conversion.text.size()));
      out.close();
      if (out) {
        conversion.outputPath = beside;
        return conversion;
      }
    }
  }
  conversion.outputPath = WriteToTemporaryFolder(path, conversion.text);
  return conversion;
}

}  // namespace lirvan
