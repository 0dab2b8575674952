#pragma once
// What the reader makes of a parsed message: the page it shows and the text
// it reads aloud (the plain part where there is one, else the text of the
// HTML), and the date as a Turkish sentence.
#include <QString>
#include <string>

#include "mail/mime_message.h"

namespace lirvan {

struct ShownMail {
  QString pageHtml;
  QString speech;
};
ShownMail PresentMail(const ParsedMail& mail);

// "12 Mart 2024 Salı saat 14 5" (CP1254); a date that cannot be read is
// given as written.
std::string SpokenMailDate(const QString& date);

}  // namespace lirvan
